// The per-user settings kept between sessions, declared once in one table
// (key, default): the recent files and the look-and-feel theme. They live in
// an INI file, Trevalon/Trevalon.ini under the user's config folder
// (XDG_CONFIG_HOME, else ~/.config), in its [Settings] section; this is the
// program's one settings store (the command line keeps no settings). A
// missing integer reads as 0 and a missing string as empty, unless the table
// names a default.
//
// Interface thread only.
#pragma once

#include <QString>

namespace settings {

inline constexpr int kMaxRecentFiles = 5;
inline constexpr char kRecentCount[] = "MRUCount";
// "MRU0" (most recent) to "MRU4".
QString RecentKey(int Index);
inline constexpr char kStyle[] = "Style";
inline constexpr char kDefaultStyle[] = "Aqua Light Slate";

int ReadInteger(const QString& Name);
QString ReadString(const QString& Name);
void WriteInteger(const QString& Name, int Value);
void WriteString(const QString& Name, const QString& Value);
// The file behind the store.
QString FileName();

}  // namespace settings
