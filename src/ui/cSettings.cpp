#include "ui/cSettings.h"

#include <QSettings>

#include <map>

namespace settings {

namespace {

// The declared settings and their defaults; any other name reads 0 or "".
const std::map<QString, QString>& Defaults() {
  static const std::map<QString, QString> table = {
      {QString::fromLatin1(kRecentCount), QStringLiteral("0")},
      {QString::fromLatin1(kStyle), QString::fromLatin1(kDefaultStyle)},
      {QString::fromLatin1(kResultsShare), QString::number(kDefaultResultsShare)},
      {QString::fromLatin1(kGraphicsShare), QString::number(kDefaultGraphicsShare)},
  };
  return table;
}

QString DefaultOf(const QString& Name) {
  const auto it = Defaults().find(Name);
  return it == Defaults().end() ? QString() : it->second;
}

// Organisation and application are both the product name, so the file is
// Trevalon/Trevalon.ini under the user's config folder.
#define TRV_SETTINGS_STORE(name) \
  QSettings name(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("Trevalon"), QStringLiteral("Trevalon"))

QString Key(const QString& Name) { return QStringLiteral("Settings/") + Name; }

}  // namespace

QString RecentKey(int Index) { return QStringLiteral("MRU%1").arg(Index); }

int ReadInteger(const QString& Name) {
  TRV_SETTINGS_STORE(store);
  bool ok = false;
  const int value = store.value(Key(Name), DefaultOf(Name)).toString().toInt(&ok);
  return ok ? value : 0;
}

QString ReadString(const QString& Name) {
  TRV_SETTINGS_STORE(store);
  return store.value(Key(Name), DefaultOf(Name)).toString();
}

void WriteInteger(const QString& Name, int Value) {
  TRV_SETTINGS_STORE(store);
  store.setValue(Key(Name), QString::number(Value));
}

void WriteString(const QString& Name, const QString& Value) {
  TRV_SETTINGS_STORE(store);
  store.setValue(Key(Name), Value);
}

QString FileName() {
  TRV_SETTINGS_STORE(store);
  return store.fileName();
}

}  // namespace settings
