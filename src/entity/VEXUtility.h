// Shared utilities: free functions for the whole program, one unit per topic.
// This header brings in every topic; a unit that needs only one may include
// that topic's header instead.
//
//   VEXNumberText  the number formatter, reading numbers, the regional format
//   VEXFormat      the message format language (Format, TFormatArg)
//   VEXText        escaping, quoting, searching, case, masks, comma text
//   VEXEncoding    UTF-8, UTF-16 and Windows-1252
//   VEXNumbers     small number helpers (Clamp, Interpolate, Ratio ...)
//   VEXFiles       reading and atomic writing of files, hashing
//   VEXAppInfo     the program's name, description and version
//   VEXFolders     the program's folders and the files it ships with
#pragma once

#include "entity/VEXAppInfo.h"
#include "entity/VEXEncoding.h"
#include "entity/VEXFiles.h"
#include "entity/VEXFormat.h"
#include "entity/VEXNumberText.h"
#include "entity/VEXNumbers.h"
#include "entity/VEXFolders.h"
#include "entity/VEXText.h"
