// The per-user settings kept between sessions, declared once in one table
// (key, default): the recent files, the look-and-feel theme and where the
// main window was left (its size and place, and the share of its height the
// results area takes, with and without the Graphics page). They live in
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
// The main window's size and place (QWidget::saveGeometry, base64); empty
// until the window was first closed.
inline constexpr char kWindowGeometry[] = "WindowGeometry";
// Per mille of the window's central height the results area takes: on the
// Event Log, Summary Results and the other pages, and on the Graphics page.
inline constexpr char kResultsShare[] = "ResultsShare";
inline constexpr char kGraphicsShare[] = "GraphicsShare";
inline constexpr int kDefaultResultsShare = 300;
inline constexpr int kDefaultGraphicsShare = 600;

int ReadInteger(const QString& Name);
QString ReadString(const QString& Name);
void WriteInteger(const QString& Name, int Value);
void WriteString(const QString& Name, const QString& Value);
// The file behind the store.
QString FileName();

}  // namespace settings
