// Input pages: each page of the data area is a small TDataPage subclass that
// builds its own fields, registers their checks through its host (the main
// window) and copies its values between its fields and the project. The main
// window owns the pages, shows one at a time (chosen through the navigation
// tree) and calls the transfers in a fixed order.
//
// Adding a page: subclass TDataPage, give it the page name the navigation
// tree uses ("General", "Design factors", "Geometry", "Beam loading", ...),
// build its widgets in the constructor, register checked fields in
// RegisterFields, and add it with TfrmMain::AddPage before the window is
// first shown. The tree shows every node whose page has been added.
#pragma once

#include <QString>
#include <QWidget>

class QLineEdit;
class TFieldCheckList;
class TProject;
class TSession;
class TStringGrid;

// What a page may ask of the window that shows it.
class TPageHost {
 public:
  virtual ~TPageHost() = default;
  virtual TProject& Project() = 0;
  virtual TSession& Session() = 0;
  // Registers the checks that the program's table holds for the field (by
  // page and name) and checks the field when it is left. A group field's page
  // is checked silently before the field itself.
  virtual void RegisterField(QObject* Page, const QString& PageName, const QString& Name, QLineEdit* Edit,
                             bool IsGroupField = false) = 0;
  // Registers a grid column's checks through the column's hidden check edit.
  virtual void RegisterGridColumn(QObject* Page, const QString& PageName, const QString& Name, TStringGrid* Grid,
                                  int ACol) = 0;
  // An input change: marks the data unsaved and the results out of date;
  // WillAffectLoads also recomputes the automatic loads first.
  virtual void InputChanged(bool WillAffectLoads) = 0;
  virtual void AddLogLine(const QString& Line) = 0;
};

class TDataPage : public QWidget {
  Q_OBJECT
 public:
  TDataPage(TPageHost& Host, const QString& PageName, QWidget* Parent = nullptr)
      : QWidget(Parent), host_(Host), page_name_(PageName) {
    setObjectName(QStringLiteral("page") + QString(PageName).remove(QLatin1Char(' ')));
    setAccessibleName(PageName);
  }

  const QString& PageName() const { return page_name_; }

  // Called once, when the window adds the page.
  virtual void RegisterFields() {}
  // After the libraries are loaded: fill choice lists from them.
  virtual void LibrariesLoaded() {}
  // Fill the fields from the project (after New, Open and Load).
  virtual void UpdateScreenFromProject() {}
  // Copy the fields into the project (before a run or a save).
  virtual void UpdateProjectFromScreen() {}
  // The page is being left for another: save what it holds.
  virtual void LeavingPage() {}
  // The page's silent check with highlighting, when it is shown.
  virtual void CheckPage(TFieldCheckList& Checks);

 protected:
  TPageHost& Host() const { return host_; }

 private:
  TPageHost& host_;
  QString page_name_;
};
