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
//
// Screens hold text, the project holds numbers: a page reads its numbers in
// the user's number format (cPageFields.h) and writes them back with the
// program's one formatter. The beam pages show one beam at a time, the host's
// current beam; they are filled from a beam and copied into it by side
// (0 the primary beam, 1 and 2 the secondary beams of sides 1 and 2).
//
// Interface thread only.
#pragma once

#include <QString>
#include <QWidget>

class QLineEdit;
class TFieldCheckList;
class TImportedBeam;
class TProject;
class TSession;
class TStringGrid;

class TDataPage;

// What a page may ask of the window that shows it: the project and the
// libraries, its fields' checks, telling of an input change, the beam it
// shows, and the few changes of one page that others follow.
class TPageHost {
 public:
  virtual ~TPageHost() = default;
  virtual TProject& Project() = 0;
  virtual TSession& Session() = 0;

  // Registers the checks that the program's table holds for the field (by
  // page and name) and checks the field when it is left. A group field's page
  // is checked silently before the field itself.
  virtual void RegisterField(TDataPage& Page, const QString& Name, QLineEdit* Edit, bool IsGroupField = false) = 0;
  // Registers a grid column's checks through the column's hidden check edit.
  virtual void RegisterGridColumn(TDataPage& Page, const QString& Name, TStringGrid& Grid, int ACol) = 0;
  // A field without checks of its own whose leaving the page still wants to
  // hear of (TDataPage::FieldLeaving).
  virtual void WatchFieldExit(QLineEdit* Edit) = 0;
  virtual TFieldCheckList& FieldChecks() = 0;
  // An input change: marks the data unsaved and the results out of date;
  // WillAffectLoads also recomputes the automatic loads first. Ignored while
  // the screens are being filled.
  virtual void InputChanged(bool WillAffectLoads) = 0;

  // The beam whose pages are being edited (0, 1 or 2), or -1 for none.
  virtual int CurrentBeamSide() const = 0;
  TImportedBeam* CurrentBeam();
  // The project's floor layout flags changed: beam captions, tree nodes,
  // summary lines and the pages that follow the layout.
  virtual void FloorLayoutChanged() = 0;
  // A beam's mark or the floor's layout changed: the tree's and the summary lines' beam names.
  virtual void UpdateBeamCaptions() = 0;
  // Standard floor use Index into the project; the pages showing its values follow.
  virtual void ApplyFloorUse(int Index) = 0;
  // The grade and section name on beam Side's summary line.
  virtual void ShowBeamSection(int Side, const QString& Grade, const QString& Name) = 0;
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
  // A field of this page is being left; runs before the field's checks.
  virtual void FieldLeaving(QLineEdit* /*Edit*/) {}

  // Beam pages: fill from, and copy into, beam Side.
  virtual bool IsBeamPage() const { return false; }
  virtual void UpdateScreenFromBeam(int /*Side*/) {}
  virtual void UpdateBeamFromScreen(int /*Side*/) {}
  // The first text of a beam page that copying it into a beam would misread
  // (letters, or nothing, where the beam takes a number: it would become 0),
  // as a message naming the beam, the field and the text; "" when there is
  // none. Such texts are kept (also for a beam whose pages were left) until
  // they are mended or the project is read again.
  virtual QString UnreadableInput() const { return {}; }

  // Notices from the window.
  virtual void FloorLayoutChanged() {}
  virtual void FloorUseApplied() {}
  virtual void EditionChanged() {}

  bool IsFilling() const { return filling_ > 0; }

 protected:
  TPageHost& Host() const { return host_; }

  // While alive, the page's change handlers know the fields are being filled
  // by the program and not typed by the user.
  class TFillScope {
   public:
    explicit TFillScope(TDataPage& Page) : page_(Page) { ++page_.filling_; }
    ~TFillScope() { --page_.filling_; }
    TFillScope(const TFillScope&) = delete;
    TFillScope& operator=(const TFillScope&) = delete;

   private:
    TDataPage& page_;
  };

 private:
  TPageHost& host_;
  QString page_name_;
  int filling_ = 0;
};
