#include "ui/cCommandTable.h"

#include <QAction>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>

#include <algorithm>
#include <cstring>
#include <map>

#include "ui/cIcons.h"

namespace {

void SetHint(QAction& Action, const QString& Hint) {
  const qsizetype bar = Hint.indexOf(QLatin1Char('|'));
  Action.setToolTip(bar < 0 ? Hint : Hint.left(bar));
  Action.setStatusTip(bar < 0 ? Hint : Hint.mid(bar + 1));
}

}  // namespace

void TCommandTable::Build(QMainWindow& Window, QToolBar& Toolbar, bool IsAdmin) {
  is_admin_ = IsAdmin;
  built_.assign(rows_.size(), {});
  std::map<std::string, QMenu*> menus;
  std::vector<std::pair<int, QAction*>> toolbar;
  for (size_t i = 0; i < rows_.size(); ++i) {
    const TCommandRow& row = rows_[i];
    QMenu* parent = *row.Menu ? menus[row.Menu] : nullptr;
    Q_ASSERT_X(!*row.Menu || parent, "TCommandTable::Build", "a row's menu must come before it");
    if (parent && row.IsGroupStart) parent->addSeparator();
    if (row.Kind == ckMenu) {
      QMenu* menu = parent ? parent->addMenu(QString::fromUtf8(row.Caption))
                           : Window.menuBar()->addMenu(QString::fromUtf8(row.Caption));
      menu->setObjectName(QString::fromLatin1(row.Name));
      if (*row.Hint) SetHint(*menu->menuAction(), QString::fromUtf8(row.Hint));
      menus[row.Name] = menu;
      built_[i] = {menu->menuAction(), menu};
      continue;
    }
    auto* action = new QAction(QString::fromUtf8(row.Caption), &Window);
    action->setObjectName(QString::fromLatin1(row.Name));
    SetHint(*action, QString::fromUtf8(row.Hint));
    if (*row.Shortcut) action->setShortcut(QKeySequence(QString::fromLatin1(row.Shortcut)));
    if (*row.Icon.Bundled) action->setIcon(CommandIcon(row.Icon.Theme, row.Icon.Bundled));
    action->setCheckable(row.IsCheckable);
    if (row.Handler) QObject::connect(action, &QAction::triggered, &Window, row.Handler);
    if (parent) parent->addAction(action);
    // A command outside the menus still answers its shortcut.
    else Window.addAction(action);
    if (row.Toolbar > 0) toolbar.emplace_back(row.Toolbar, action);
    built_[i] = {action, nullptr};
  }
  // Menus fill their own entries after their rows.
  for (size_t i = 0; i < rows_.size(); ++i)
    if (rows_[i].FillMenu && built_[i].Menu) rows_[i].FillMenu(*built_[i].Menu);
  std::stable_sort(toolbar.begin(), toolbar.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
  for (const auto& [place, action] : toolbar) Toolbar.addAction(action);
  Refresh();
}

void TCommandTable::Refresh() {
  for (size_t i = 0; i < rows_.size() && i < built_.size(); ++i) {
    const TCommandRow& row = rows_[i];
    QAction* action = built_[i].Action;
    if (!action) continue;
    const bool shown = (!row.IsAdminOnly || is_admin_) && (!row.IsVisible || row.IsVisible());
    action->setVisible(shown);
    // A hidden command cannot be reached through its shortcut either.
    action->setEnabled(shown && (!row.IsEnabled || row.IsEnabled()));
    if (row.IsCheckable && row.IsChecked) action->setChecked(row.IsChecked());
  }
}

QAction* TCommandTable::Action(const char* Name) const {
  for (size_t i = 0; i < rows_.size() && i < built_.size(); ++i)
    if (std::strcmp(rows_[i].Name, Name) == 0) return built_[i].Action;
  return nullptr;
}

QMenu* TCommandTable::MenuOf(const char* Name) const {
  for (size_t i = 0; i < rows_.size() && i < built_.size(); ++i)
    if (std::strcmp(rows_[i].Name, Name) == 0) return built_[i].Menu;
  return nullptr;
}
