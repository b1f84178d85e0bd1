// The window's commands as rows of one table. A row is either a command (a
// QAction: caption, hint, shortcut, icon, the menu it sits in, its place on
// the toolbar, its handler and its enabled, visible and checked rules) or a
// menu (a top-level menu of the menu bar, or a sub-menu of another menu, with
// an optional function that fills it once). Rows are placed in their menus in
// table order, so adding a command is adding one row where it should appear.
//
//   rows.push_back({.Name = "actAnalyse", .Caption = "Analyse", .Hint = "...",
//                   .Menu = "mnuTools", .Shortcut = "F9", .Icon = {"", "analyse"}, .Toolbar = 5,
//                   .Handler = [this] { Run().Analyse(); }, .IsEnabled = [this] { return !IsLocked(); }});
//
// The rules are asked again by Refresh, which the owner calls whenever the
// state they read changes; an empty rule means "always". A command that is
// AdminOnly is hidden (and its handler never reachable) unless the table was
// built for an administrator. The table's actions and menus are children of
// the window handed to Build, named by the rows' Name (window->findChild).
//
// Interface thread only.
#pragma once

#include <QKeySequence>
#include <QString>

#include <functional>
#include <vector>

class QAction;
class QMainWindow;
class QMenu;
class QToolBar;

// A row of the table: a command, or a menu that holds commands.
enum TCommandKind { ckCommand, ckMenu };

struct TCommandRow {
  const char* Name = "";     // object name: "actSave", or "mnuFile" for a menu
  const char* Caption = "";  // "&" marks the access key
  const char* Hint = "";     // "short|long": the tooltip and the status bar's text (one text: both)
  const char* Menu = "";     // the menu it sits in (its row's Name); "" for the menu bar or nowhere
  const char* Shortcut = "";
  struct {
    const char* Theme = "";    // the desktop theme's icon
    const char* Bundled = "";  // the program's own drawing (":/icons/<name>.svg"); "" for no icon
  } Icon{};
  int Toolbar = 0;             // its place on the toolbar, 1 first; 0 not on it
  bool IsGroupStart = false;   // a separator before it in its menu
  bool IsAdminOnly = false;    // shown only to administrators (--admin)
  bool IsCheckable = false;
  TCommandKind Kind = ckCommand;
  std::function<void()> Handler{};           // a command chosen (for a checkable one: after its box changed)
  std::function<bool()> IsEnabled{};        // empty: always enabled
  std::function<bool()> IsVisible{};        // empty: always visible (admin rows: to administrators)
  std::function<bool()> IsChecked{};        // checkable commands: the state the box shows
  std::function<void(QMenu&)> FillMenu{};   // a menu's own entries, made once after its rows
};

class TCommandTable {
 public:
  explicit TCommandTable(std::vector<TCommandRow> Rows) : rows_(std::move(Rows)) {}

  // Makes every row's action or menu as a child of Window, places them in the
  // menu bar, their menus and the toolbar (icons 24 x 24, captions under
  // them), and connects the handlers. IsAdmin shows the administrators' rows.
  void Build(QMainWindow& Window, QToolBar& Toolbar, bool IsAdmin);
  // Applies every row's enabled, visible and checked rule.
  void Refresh();

  QAction* Action(const char* Name) const;
  QMenu* MenuOf(const char* Name) const;
  const std::vector<TCommandRow>& Rows() const { return rows_; }

 private:
  struct TBuilt {
    QAction* Action = nullptr;  // a menu's own action for a menu row
    QMenu* Menu = nullptr;
  };
  std::vector<TCommandRow> rows_;
  std::vector<TBuilt> built_;
  bool is_admin_ = false;
};
