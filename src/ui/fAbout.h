// The About box. At start-up it is the conditions-of-use dialog: "Agree"
// (default) accepts, "Disagree" or closing the box rejects, and the program
// ends without a main window. From the Help menu it only informs: one "Ok"
// button.
#pragma once

#include <QDialog>

class QPushButton;

enum class TAboutMode { ConditionsOfUse, Information };

class TfrmAbout : public QDialog {
  Q_OBJECT
 public:
  explicit TfrmAbout(TAboutMode Mode, QWidget* Parent = nullptr);

  QPushButton* AgreeButton() const { return agree_; }
  QPushButton* DisagreeButton() const { return disagree_; }

  // The conditions-for-use text shown in the box.
  static QString ConditionsOfUse();

 private:
  QPushButton* agree_;
  QPushButton* disagree_;
};
