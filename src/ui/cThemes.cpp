#include "ui/cThemes.h"

#include <QApplication>
#include <QPalette>
#include <QStyle>
#include <QStyleFactory>

namespace {

struct TThemeColours {
  QColor Window, Base, AlternateBase, Text, Button, Highlight, HighlightedText;
};

QPalette PaletteOf(const TThemeColours& c) {
  QPalette p;
  p.setColor(QPalette::Window, c.Window);
  p.setColor(QPalette::WindowText, c.Text);
  p.setColor(QPalette::Base, c.Base);
  p.setColor(QPalette::AlternateBase, c.AlternateBase);
  p.setColor(QPalette::Text, c.Text);
  p.setColor(QPalette::Button, c.Button);
  p.setColor(QPalette::ButtonText, c.Text);
  p.setColor(QPalette::Highlight, c.Highlight);
  p.setColor(QPalette::HighlightedText, c.HighlightedText);
  p.setColor(QPalette::ToolTipBase, c.Base);
  p.setColor(QPalette::ToolTipText, c.Text);
  const QColor grey = c.Text.lightness() < 128 ? QColor(128, 128, 128) : QColor(150, 150, 150);
  p.setColor(QPalette::Disabled, QPalette::Text, grey);
  p.setColor(QPalette::Disabled, QPalette::WindowText, grey);
  p.setColor(QPalette::Disabled, QPalette::ButtonText, grey);
  return p;
}

}  // namespace

QStringList ThemeNames() {
  return {QStringLiteral("Aqua Light Slate"), QStringLiteral("Metropolis UI Blue"), QStringLiteral("Ruby Graphite"),
          QStringLiteral("Windows")};
}

QString ApplyTheme(const QString& Name) {
  const QStringList names = ThemeNames();
  const QString theme = names.contains(Name) ? Name : names.constFirst();
  if (theme == QLatin1String("Windows")) {
    // The platform-neutral classic look with Qt's standard colours.
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Windows")));
    QApplication::setPalette(QApplication::style()->standardPalette());
    return theme;
  }
  QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
  TThemeColours c;
  if (theme == QLatin1String("Aqua Light Slate")) {
    c = {QColor(0xe8, 0xed, 0xf2), Qt::white, QColor(0xf3, 0xf6, 0xf9), QColor(0x1f, 0x2a, 0x36),
         QColor(0xdc, 0xe4, 0xec), QColor(0x5b, 0x7f, 0xa6), Qt::white};
  } else if (theme == QLatin1String("Metropolis UI Blue")) {
    c = {QColor(0xf4, 0xf4, 0xf4), Qt::white, QColor(0xf0, 0xf5, 0xfb), QColor(0x20, 0x20, 0x20),
         QColor(0xe6, 0xe6, 0xe6), QColor(0x1e, 0x73, 0xbe), Qt::white};
  } else {  // Ruby Graphite: dark graphite with a ruby accent
    c = {QColor(0x3a, 0x3d, 0x41), QColor(0x2b, 0x2d, 0x30), QColor(0x33, 0x36, 0x3a), QColor(0xe8, 0xe8, 0xe8),
         QColor(0x48, 0x4c, 0x51), QColor(0xa8, 0x1c, 0x3c), Qt::white};
  }
  QApplication::setPalette(PaletteOf(c));
  return theme;
}
