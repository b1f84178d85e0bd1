// Field checks: every numeric or text field of the input pages, and every
// checked column of the input grids, is guarded by a TFieldCheck that knows
// the kind of value it accepts, its range, whether it may be empty, the page
// it belongs to and the messages to show. A failed check colours the field,
// may show its message (once per distinct value) and return the focus; it
// never changes the value. Commands stop only through the main window's
// ValidateActiveControl.
//
// Messages are templates of the core formatter with four arguments: 0 the
// name, 1 Min, 2 Max, 3 the type word ("integer", "number" or "string").
// The verdict on a text is the core's (project/cFieldRules.h), which also
// holds the table of registered checks; this unit adds the field's look.
//
// Also here: the mediator, a binding of a control to a property path of an
// entity, which the window creates empty.
//
// Interface thread only. The list owns its checks; a check does not own its
// field (the page does) and tolerates the field's destruction.
#pragma once

#include <QColor>
#include <QLineEdit>
#include <QPointer>
#include <QString>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "project/cFieldRules.h"

class QLabel;
class TEntity;

// A line edit with a label: a check without a name takes the label's caption.
// The label is created with the edit and owned by the edit's parent once the
// page lays it out (or by the edit until then).
class TLabelledEdit : public QLineEdit {
  Q_OBJECT
 public:
  explicit TLabelledEdit(const QString& Caption, QWidget* Parent = nullptr);
  QLabel* EditLabel() const { return label_; }
  QString LabelCaption() const;
  void SetLabelCaption(const QString& Caption);

 private:
  QLabel* label_;
};

class TFieldCheck {
 public:
  // Called after every check with the outcome; the handler may set WillSuppress
  // to keep the check from colouring the field, showing its message or moving the focus.
  using TOnFieldCheck = std::function<void(TFieldCheck& Check, bool HasFailed, bool& WillSuppress)>;

  TFieldCheck(const QString& AName, QLineEdit* AEdit, TFieldType AFieldType, double AMin, double AMax,
              bool ACanBeBlank, bool AIsPercentOptional, const QString& ARangeErrorMsg, QObject* AGroup);

  QString Name;
  QPointer<QLineEdit> Edit;
  TFieldType FieldType;
  double Min, Max;
  bool CanBeBlank;
  bool IsPercentOptional;
  bool IsZeroAllowed = false;  // 0 passes as well as the range
  QString RangeErrorMsg;
  QString BlankMsg = QStringLiteral("%s cannot be blank, please enter a valid %3:s");
  QString InvalidCharsMsg = QStringLiteral("%s has invalid characters - please only enter %3:ss");
  QString ValueAtLastCheck;  // the trimmed text at the last check; at creation the field's text
  QObject* Group;            // the page the field belongs to
  QColor HighlightFieldColour = Qt::yellow;
  TOnFieldCheck OnFieldCheck;

  const QString& LastErrorMsg() const { return last_error_msg_; }

  // Name, else the caption of the field's label, else the field's object name
  // made readable ("edtFloorArea" -> "floor area").
  QString StandardisedName() const;
  // RangeErrorMsg, else the standard message for the field type and range.
  QString StandardisedRangeErrorMsg() const;
  // A template filled with the four message arguments.
  QString FormatMessage(const QString& Template) const;
  QString TypeWord() const;

  // Runs the check on the field's current text; true when it passes.
  bool Check(bool WillDisplayMsg, bool WillHighlightField, bool WillSetFocus);

 private:
  QString last_error_msg_;
};

// Colours a field as failed (or gives it back its normal look). The state is
// kept in the field's "fieldCheckFailed" property, which tests read.
void SetFieldHighlight(QLineEdit* Edit, bool IsHighlighted, const QColor& Colour);
bool IsFieldHighlighted(const QWidget* Edit);

class TFieldCheckList {
 public:
  // Creates a check with its standardised name and range message, the
  // highlight colour RGB(54, 188, 238) and the handler, and appends it.
  TFieldCheck& AddField(const QString& Name, QLineEdit* Edit, TFieldType FieldType, double Min, double Max,
                        bool CanBeBlank, bool IsPercentOptional, const QString& RangeErrorMsg, QObject* Group,
                        TFieldCheck::TOnFieldCheck OnSetFocus);
  // Registers every check the program's table holds for the field of that
  // page and name (see project/cFieldRules.h); returns how many.
  int AddRegistered(const QString& Page, const QString& Name, QLineEdit* Edit, QObject* Group,
                    const TFieldCheck::TOnFieldCheck& OnSetFocus);

  // The group of the first check registered for Edit, or null.
  QObject* GroupOf(const QLineEdit* Edit) const;

  // Edit alone: its checks with the wishes (after a failure the later checks
  // of the field run silently). Group alone: the group's checks silently with
  // the highlighting asked. Both: the group without Edit, then Edit. Neither:
  // every check silently. True when every check run passed.
  bool Check(QLineEdit* Edit, QObject* Group, bool WillDisplayMsg, bool WillHighlightField, bool WillSetFocus);
  // The first check that failed in the last run, or null.
  TFieldCheck* LastErrorFieldCheck() const { return last_error_; }

  int Count() const { return static_cast<int>(checks_.size()); }
  TFieldCheck& operator[](int Index) const { return *checks_[static_cast<size_t>(Index)]; }
  // The checks of one field, in registration order.
  std::vector<TFieldCheck*> ChecksOf(const QLineEdit* Edit) const;

 private:
  bool CheckOne(TFieldCheck& Check, bool WillDisplayMsg, bool WillHighlightField, bool WillSetFocus, bool& Result);

  std::vector<std::unique_ptr<TFieldCheck>> checks_;
  TFieldCheck* last_error_ = nullptr;
};

// Binds a control to a property path of an entity; concrete mediators
// implement NotifyChange.
class TMediator {
 public:
  TMediator(QObject* AControl, TEntity* AEntity, std::string APropertyName)
      : Control(AControl), Entity(AEntity), PropertyName(std::move(APropertyName)) {}
  virtual ~TMediator() = default;
  virtual void NotifyChange() = 0;

  QObject* Control;
  TEntity* Entity;
  std::string PropertyName;
};

class TMediatorList {
 public:
  void Add(std::unique_ptr<TMediator> Mediator) { mediators_.push_back(std::move(Mediator)); }
  // NotifyChange of every mediator bound to Control.
  void NotifyChange(const QObject* Control);
  int Count() const { return static_cast<int>(mediators_.size()); }

 private:
  std::vector<std::unique_ptr<TMediator>> mediators_;
};
