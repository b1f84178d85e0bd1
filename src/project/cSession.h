// TSession: the component libraries of one run of the program (steel
// sections, shear connectors, steel decks, floor uses, limit states and
// welded-beam restrictions), read at start-up from the library file beside the
// program, and the generation of that file from the CSV files named by a
// library definitions file.
//
// Library file (.tvl): the binary stream of TEntityList, one block per
// library, each named by the SectionName of its items, in the order steel
// sections, shear connectors, steel decks, floor uses, limit states,
// restrictions (an empty library writes no block), then an empty string.
//
// Library definitions file: an INI file with the section "Libraries": "Name"
// (the library file to generate), "Count", and for i = 1..Count "Library<i>"
// (a file in the definitions file's folder; its extension is replaced by
// ".csv") and "Type<i>" (STEELSECTION, SHEARCONNECTOR, STEELDECK, FLOORUSE,
// LIMITSTATE or CWBRESTRICTION, letter case ignored; other values are skipped).
//
// Failure: loading returns a TResult that says what could not be read;
// libraries read before a damaged block stay loaded. The status holds only
// what IsOK finds (an empty library), so validating never loses what the
// loading reported.
#pragma once

#include <string>
#include <vector>

#include "entity/cEntity.h"
#include "entity/cEntityList.h"
#include "entity/cResult.h"

class TSession : public TEntity {
 public:
  TSession();

  std::string LibraryFilename;  // the file a generated library is written to
  TEntityList SteelSectionLibrary;    // TCustomSteelSection, keyed by FullName
  TEntityList ShearConnectorLibrary;  // TShearConnectorLibraryItem, keyed by Name
  TEntityList SteelDeckLibrary;       // TSteelDeckLibraryItem, keyed by Name
  TEntityList FloorUseLibrary;        // TFloorUse, keyed by LongName
  TEntityList LimitStateLibrary;      // TLimitState, keyed by LimitStateLabel
  TEntityList CWBRestrictionLibrary;  // TCWBRestriction, keyed by MinDepth

  // Empties every library; LibraryFilename becomes GetAppName() + ".kvl".
  void Clear() override;
  // Every library must hold at least one item; the first failure is named in
  // Status.ErrorMsg (decks are checked first).
  bool IsOK() override;

  // The library a definitions file's "Type" names (STEELSECTION ...
  // CWBRESTRICTION, upper case) and its name in messages ("steel section");
  // null and "" for any other type.
  TEntityList* LibraryOfType(const std::string& TypeName);
  const TEntityList* LibraryOfType(const std::string& TypeName) const;
  static std::string LibraryCaption(const std::string& TypeName);
  // The property that keys the items of that library ("FullName", "Name" ...); "" for any other type.
  static std::string LibraryIndexField(const std::string& TypeName);

  // The steel section library as a beam's section is chosen from it: the
  // section types in library order without repeats, then "Custom_I" (a
  // section of the user's own dimensions) unless the library has it; the
  // grades of a type; the names of a type and grade. Exact names, in library
  // order, without repeats.
  std::vector<std::string> SectionTypeChoices() const;
  std::vector<std::string> SectionGrades(const std::string& SectionType) const;
  std::vector<std::string> SectionNames(const std::string& SectionType, const std::string& Grade) const;
  // The section Step places after (+1) or before (-1) section Name of Grade in
  // the library, when there is one of the same type and grade (the library
  // lists each type and grade from light to heavy); else Name itself, also
  // for a section the library does not hold.
  std::string NeighbourSection(const std::string& Grade, const std::string& Name, int Step) const;

  // Reads the blocks of a library file into the libraries they name, in any
  // order; an item whose key is already loaded replaces it. Reading ends at
  // the end marker, at a block naming no library, or at the end of the file.
  // Fails with "<program> library file [file] not available", or with "Error
  // loading from library file [file], position = <block>" at a damaged block.
  TResult LoadLibraries(const std::string& LibraryFile);
  // Reads the CSV libraries named by a definitions file; LibraryFilename
  // becomes its "Name" (kept when absent). A missing CSV is skipped and
  // reported as "Library [file] not available", one line each.
  TResult LoadLibrariesFromCsv(const std::string& LibraryDefinitionFilename);
  // Writes the non-empty libraries as a library file, then the end marker,
  // through the atomic writer (WriteFileAtomic): File is replaced whole or,
  // on a failure, left as it was; a link is followed, a device written in place.
  TResult SaveLibraries(const std::string& File) const;

  TRV_PROPERTIES(TSession, TEntity,
                 Published("LibraryFilename", &TSession::LibraryFilename),
                 Public("SteelSectionLibrary", &TSession::SteelSectionLibrary),
                 Public("ShearConnectorLibrary", &TSession::ShearConnectorLibrary),
                 Public("SteelDeckLibrary", &TSession::SteelDeckLibrary),
                 Public("FloorUseLibrary", &TSession::FloorUseLibrary),
                 Public("LimitStateLibrary", &TSession::LimitStateLibrary),
                 Public("CWBRestrictionLibrary", &TSession::CWBRestrictionLibrary))
};

// Builds a library file from a definitions file: a fresh session loads the
// CSV libraries it names and, when all of them load and none is empty, writes
// them to OutputFile, or, when OutputFile is empty, to the definitions file's
// "Name" (a bare name refers to the current folder). The file is written
// by SaveLibraries, so a failure leaves any earlier library file untouched;
// an output that is the definitions file or one of its CSV files is refused. Success says "New library file created: <file>";
// a failure gives every problem, one line each, loading errors first.
// Used by the command line and the desktop program.
TResult GenerateLibraryFile(const std::string& DefinitionsFile, const std::string& OutputFile = "");
