#include "ui/fAbout.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "entity/VEXUtility.h"
#include "ui/cIcons.h"
#include "ui/cUiUtility.h"

QString TfrmAbout::ConditionsOfUse() {
  return QStringLiteral(
      "CONDITIONS OF USE\n\n"
      "Trevalon assists qualified structural engineers with the preliminary design of "
      "simply-supported composite steel and concrete floor beams to AS/NZS 2327. It is a design "
      "aid, not a substitute for engineering judgement.\n\n"
      "The results depend entirely on the data entered and on the assumptions the program makes, "
      "which are described in the user manual. The user is responsible for checking that the input "
      "describes the structure correctly, that the program's assumptions suit the structure, and "
      "for verifying the results independently before relying on them. Final designs must be "
      "checked and certified by a suitably qualified engineer.\n\n"
      "The program is supplied as it is. To the extent the law allows, its authors and suppliers "
      "accept no liability for any loss or damage arising from its use, from errors in it or in its "
      "libraries, or from decisions based on its results.\n\n"
      "By choosing \"Agree\" I confirm that I have read these conditions, that I am competent to "
      "judge the results, and that I accept the conditions of use.");
}

TfrmAbout::TfrmAbout(TAboutMode Mode, QWidget* Parent) : QDialog(Parent) {
  setWindowTitle(QStringLiteral("About Trevalon"));
  setObjectName(QStringLiteral("frmAbout"));
  setWindowIcon(ApplicationIcon());

  auto* image = new QLabel;
  image->setPixmap(ProductImage(96));
  image->setAccessibleName(QStringLiteral("Product image"));
  image->setAlignment(Qt::AlignTop | Qt::AlignHCenter);

  auto* product = new QLabel(ToQ(GetAppName() + "/V" + GetAppVersionShort()));
  QFont big = product->font();
  big.setPointSizeF(big.pointSizeF() * 1.6);
  big.setBold(true);
  product->setFont(big);
  product->setObjectName(QStringLiteral("lblProduct"));
  // The four-number version of the program file.
  auto* build = new QLabel(QStringLiteral("Build: ") + ToQ(GetAppFileVersion()));
  build->setObjectName(QStringLiteral("lblBuild"));
  build->setWordWrap(true);
  auto* description = new QLabel(ToQ(GetAppDescription()));
  description->setWordWrap(true);
  auto* logo = new QLabel;
  logo->setPixmap(LogoImage(32));
  logo->setAccessibleName(QStringLiteral("Maker's logo"));

  auto* text = new QPlainTextEdit(ConditionsOfUse());
  text->setReadOnly(true);
  text->setObjectName(QStringLiteral("memConditions"));
  text->setAccessibleName(QStringLiteral("Conditions of use"));
  text->setLineWrapMode(QPlainTextEdit::WidgetWidth);
  text->setMinimumSize(440, 210);

  agree_ = new QPushButton(Mode == TAboutMode::ConditionsOfUse ? QStringLiteral("Agree") : QStringLiteral("Ok"));
  agree_->setObjectName(QStringLiteral("btnAgree"));
  agree_->setDefault(true);
  agree_->setAutoDefault(true);
  disagree_ = new QPushButton(QStringLiteral("Disagree"));
  disagree_->setObjectName(QStringLiteral("btnDisagree"));
  disagree_->setVisible(Mode == TAboutMode::ConditionsOfUse);
  connect(agree_, &QPushButton::clicked, this, &QDialog::accept);
  connect(disagree_, &QPushButton::clicked, this, &QDialog::reject);

  auto* heading = new QVBoxLayout;
  heading->addWidget(product);
  heading->addWidget(build);
  heading->addWidget(description);
  heading->addStretch();
  heading->addWidget(logo, 0, Qt::AlignLeft);
  auto* top = new QHBoxLayout;
  top->addWidget(image);
  top->addSpacing(12);
  top->addLayout(heading, 1);

  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(agree_);
  buttons->addWidget(disagree_);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(top);
  layout->addSpacing(6);
  layout->addWidget(text, 1);
  layout->addLayout(buttons);
  agree_->setFocus();
}
