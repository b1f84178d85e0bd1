// The four look-and-feel themes, kept under their setting names: each is a Qt
// style with a palette. Interface thread only.
#pragma once

#include <QColor>
#include <QStringList>

// "Aqua Light Slate", "Metropolis UI Blue", "Ruby Graphite", "Windows".
QStringList ThemeNames();
// Applies the theme to the whole application; an unknown name applies the
// first theme. Returns the name applied.
QString ApplyTheme(const QString& Name);

// The background of a field or grid cell that failed its check.
inline QColor HighlightFieldColour() { return QColor(54, 188, 238); }
