#include "ui/cFieldCheck.h"

#include <QApplication>
#include <QLabel>

#include <cmath>
#include <set>

#include "entity/VEXUtility.h"
#include "ui/cMessages.h"
#include "ui/cThemes.h"
#include "ui/cUiUtility.h"

// ---------------------------------------------------------------------------
// TLabelledEdit

TLabelledEdit::TLabelledEdit(const QString& Caption, QWidget* Parent) : QLineEdit(Parent) {
  label_ = new QLabel(Caption, this);
  label_->hide();  // shown once a page lays it out
  label_->setBuddy(this);
  setAccessibleName(Caption.trimmed());
}

QString TLabelledEdit::LabelCaption() const { return label_->text(); }

void TLabelledEdit::SetLabelCaption(const QString& Caption) {
  label_->setText(Caption);
  setAccessibleName(Caption.trimmed());
}

// ---------------------------------------------------------------------------
// Highlight

void SetFieldHighlight(QLineEdit* Edit, bool IsHighlighted, const QColor& Colour) {
  if (!Edit) return;
  if (IsHighlighted) {
    QPalette p = Edit->palette();
    p.setColor(QPalette::Base, Colour);
    Edit->setPalette(p);
  } else {
    // An empty palette inherits the theme's again.
    Edit->setPalette(QPalette());
  }
  Edit->setProperty("fieldCheckFailed", IsHighlighted);
}

bool IsFieldHighlighted(const QWidget* Edit) { return Edit && Edit->property("fieldCheckFailed").toBool(); }

// ---------------------------------------------------------------------------
// TFieldCheck

TFieldCheck::TFieldCheck(const QString& AName, QLineEdit* AEdit, TFieldType AFieldType, double AMin, double AMax,
                         bool ACanBeBlank, bool AIsPercentOptional, const QString& ARangeErrorMsg, QObject* AGroup)
    : Name(AName),
      Edit(AEdit),
      FieldType(AFieldType),
      Min(AMin),
      Max(AMax),
      CanBeBlank(ACanBeBlank),
      IsPercentOptional(AIsPercentOptional),
      RangeErrorMsg(ARangeErrorMsg),
      ValueAtLastCheck(AEdit ? AEdit->text() : QString()),
      Group(AGroup) {}

QString TFieldCheck::StandardisedName() const {
  if (!Name.isEmpty()) return Name;
  if (const auto* labelled = qobject_cast<const TLabelledEdit*>(Edit.data())) return labelled->LabelCaption();
  if (!Edit) return {};
  // "edtFloorArea": drop the lower-case prefix, split the words at capitals.
  const QString id = Edit->objectName();
  qsizetype i = 0;
  while (i < id.size() && id[i].isLower()) ++i;
  QString readable;
  for (; i < id.size(); ++i) {
    if (id[i].isUpper()) readable += QLatin1Char(' ');
    readable += id[i].toLower();
  }
  return readable.trimmed();
}

QString TFieldCheck::StandardisedRangeErrorMsg() const {
  if (!RangeErrorMsg.isEmpty()) return RangeErrorMsg;
  return ToQ(StandardRangeErrorMsg(FieldType, Min, Max));
}

QString TFieldCheck::TypeWord() const { return ToQ(FieldTypeWord(FieldType)); }

QString TFieldCheck::FormatMessage(const QString& Template) const {
  return ToQ(Format(ToStd(Template), {ToStd(StandardisedName()), Min, Max, ToStd(TypeWord())}));
}

bool TFieldCheck::Check(bool WillDisplayMsg, bool WillHighlightField, bool WillSetFocus) {
  const QString text = Edit ? Edit->text().trimmed() : QString();
  TFieldRule rule;
  rule.Name = ToStd(StandardisedName());
  rule.FieldType = FieldType;
  rule.Min = Min;
  rule.Max = Max;
  rule.CanBeBlank = CanBeBlank;
  rule.IsPercentOptional = IsPercentOptional;
  rule.IsZeroAllowed = IsZeroAllowed;
  rule.RangeErrorMsg = ToStd(StandardisedRangeErrorMsg());
  rule.BlankMsg = ToStd(BlankMsg);
  rule.InvalidCharsMsg = ToStd(InvalidCharsMsg);
  const TFieldVerdict verdict = CheckFieldText(rule, ToStd(text));
  const bool pass = verdict.IsPassed;
  const bool alternative = verdict.IsAlternativeForm;
  const QString pending = ToQ(verdict.MessageTemplate);

  bool suppress = false;
  if (OnFieldCheck) OnFieldCheck(*this, !pass, suppress);
  if (!suppress && Edit) {
    // A text in the other form was not judged here, so its look is left to the other check.
    if (pass && WillHighlightField && !alternative) {
      SetFieldHighlight(Edit, false, HighlightFieldColour);
    } else if (!pass) {
      const bool changed = text != ValueAtLastCheck;
      if (WillDisplayMsg && changed) {
        QApplication::beep();
        ShowMessage(Edit->window(), TMessageKind::Warning, FormatMessage(pending));
      }
      if (!Edit->isEnabled())
        SetFieldHighlight(Edit, false, HighlightFieldColour);
      else if (WillHighlightField)
        SetFieldHighlight(Edit, true, HighlightFieldColour);
      if (WillSetFocus && changed && Edit->isVisible() && Edit->isEnabled() && Edit->focusPolicy() != Qt::NoFocus)
        Edit->setFocus();
    }
  }
  ValueAtLastCheck = text;
  last_error_msg_ = pass ? QString() : FormatMessage(pending);
  return pass;
}

// ---------------------------------------------------------------------------
// TFieldCheckList

TFieldCheck& TFieldCheckList::AddField(const QString& Name, QLineEdit* Edit, TFieldType FieldType, double Min,
                                       double Max, bool CanBeBlank, bool IsPercentOptional,
                                       const QString& RangeErrorMsg, QObject* Group,
                                       TFieldCheck::TOnFieldCheck OnSetFocus) {
  auto check = std::make_unique<TFieldCheck>(Name, Edit, FieldType, Min, Max, CanBeBlank, IsPercentOptional,
                                             RangeErrorMsg, Group);
  check->Name = check->StandardisedName();
  check->RangeErrorMsg = check->StandardisedRangeErrorMsg();
  check->OnFieldCheck = std::move(OnSetFocus);
  check->HighlightFieldColour = HighlightFieldColour();
  checks_.push_back(std::move(check));
  return *checks_.back();
}

int TFieldCheckList::AddRegistered(const QString& Page, const QString& Name, QLineEdit* Edit, QObject* Group,
                                   const TFieldCheck::TOnFieldCheck& OnSetFocus) {
  int added = 0;
  for (const TFieldCheckSpec& spec : RegisteredFieldChecks()) {
    if (Page != QLatin1String(spec.Page) || Name != QString::fromUtf8(spec.Name)) continue;
    TFieldCheck& check = AddField(QString::fromUtf8(spec.Name), Edit, spec.FieldType, spec.Min, spec.Max,
                                  spec.CanBeBlank, spec.IsPercentOptional, QString::fromUtf8(spec.RangeErrorMsg),
                                  Group, OnSetFocus);
    check.IsZeroAllowed = spec.IsZeroAllowed;
    ++added;
  }
  return added;
}

QObject* TFieldCheckList::GroupOf(const QLineEdit* Edit) const {
  for (const auto& c : checks_)
    if (c->Edit == Edit) return c->Group;
  return nullptr;
}

std::vector<TFieldCheck*> TFieldCheckList::ChecksOf(const QLineEdit* Edit) const {
  std::vector<TFieldCheck*> found;
  for (const auto& c : checks_)
    if (c->Edit == Edit) found.push_back(c.get());
  return found;
}

bool TFieldCheckList::Check(QLineEdit* Edit, QObject* Group, bool WillDisplayMsg, bool WillHighlightField,
                            bool WillSetFocus) {
  last_error_ = nullptr;
  // A field that failed one of its checks in this run keeps its colour: its
  // later checks run without highlighting, so a pass there does not hide the failure.
  std::set<const QLineEdit*> failed;
  auto run = [&](TFieldCheck& check, bool msg, bool highlight, bool focus, bool& result) {
    const bool already_failed = failed.count(check.Edit.data()) > 0;
    const bool ok = check.Check(msg && !already_failed, highlight && !already_failed, focus && !already_failed);
    if (!ok) {
      failed.insert(check.Edit.data());
      if (result && !last_error_) last_error_ = &check;
    }
    result = result && ok;
  };

  bool group_result = true;
  for (const auto& c : checks_) {
    if (Group) {
      if (c->Group == Group && c->Edit != Edit) run(*c, false, WillHighlightField, false, group_result);
    } else if (!Edit) {
      run(*c, false, WillHighlightField, false, group_result);
    }
  }
  bool edit_result = true;
  if (Edit)
    for (const auto& c : checks_)
      if (c->Edit == Edit) run(*c, WillDisplayMsg, WillHighlightField, WillSetFocus, edit_result);
  return group_result && edit_result;
}

// ---------------------------------------------------------------------------
// TMediatorList

void TMediatorList::NotifyChange(const QObject* Control) {
  for (const auto& m : mediators_)
    if (m->Control == Control) m->NotifyChange();
}
