#include "ui/fProjectPages.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>

#include "entity/VEXUtility.h"
#include "project/cProject.h"
#include "ui/cFieldCheck.h"
#include "ui/cUiUtility.h"

namespace {

TLabelledEdit* AddLabelledEdit(QGridLayout* Grid, int Row, const QString& Caption, const QString& Unit,
                               const QString& Name, const QString& Hint) {
  auto* edit = new TLabelledEdit(Caption);
  edit->setObjectName(Name);
  edit->setStatusTip(Hint);
  edit->setToolTip(Hint);
  edit->EditLabel()->show();
  Grid->addWidget(edit->EditLabel(), Row, 0);
  // The field with its unit right beside it.
  auto* row = new QHBoxLayout;
  row->addWidget(edit);
  if (!Unit.isEmpty()) row->addWidget(new QLabel(Unit));
  row->addStretch(1);
  Grid->addLayout(row, Row, 1);
  return edit;
}

}  // namespace

TGeneralPage::TGeneralPage(TPageHost& Host, QWidget* Parent) : TDataPage(Host, QStringLiteral("General"), Parent) {
  auto* grid = new QGridLayout(this);
  grid->setColumnStretch(1, 1);

  auto* project_label = new QLabel(QStringLiteral("Project"));
  edtProject = new QLineEdit;
  edtProject->setObjectName(QStringLiteral("edtProject"));
  edtProject->setAccessibleName(QStringLiteral("Project"));
  edtProject->setStatusTip(QStringLiteral("Name of project"));
  project_label->setBuddy(edtProject);
  grid->addWidget(project_label, 0, 0);
  grid->addWidget(edtProject, 0, 1);

  auto* description_label = new QLabel(QStringLiteral("Project description"));
  memDescription = new QPlainTextEdit;
  memDescription->setObjectName(QStringLiteral("memDescription"));
  memDescription->setAccessibleName(QStringLiteral("Project description"));
  memDescription->setStatusTip(QStringLiteral("Description of project"));
  memDescription->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  memDescription->setTabChangesFocus(true);
  memDescription->setMaximumHeight(memDescription->fontMetrics().lineSpacing() * 5 + 12);
  description_label->setBuddy(memDescription);
  grid->addWidget(description_label, 1, 0, Qt::AlignTop);
  grid->addWidget(memDescription, 1, 1);

  edtDesigner = AddLabelledEdit(grid, 2, QStringLiteral("Designer"), {}, QStringLiteral("edtDesigner"),
                                QStringLiteral("Name of designer"));
  edtFloorArea = AddLabelledEdit(grid, 3, QStringLiteral("Floor area"), QStringLiteral("m2"),
                                 QStringLiteral("edtFloorArea"), QStringLiteral("Floor area"));
  edtStoreys = AddLabelledEdit(grid, 4, QStringLiteral("Number of storeys"), {}, QStringLiteral("edtStoreys"),
                               QStringLiteral("Number of storeys"));
  edtSegments = AddLabelledEdit(grid, 5, QStringLiteral("Positions along beam for results calculation"), {},
                                QStringLiteral("edtSegments"),
                                QStringLiteral("Number of regularly-spaced positions along beam for calculation of results"));
  edtDesigner->setMinimumWidth(260);
  for (QLineEdit* e : {static_cast<QLineEdit*>(edtFloorArea), static_cast<QLineEdit*>(edtStoreys),
                       static_cast<QLineEdit*>(edtSegments)})
    e->setFixedWidth(120);
  grid->setRowStretch(6, 1);

  // Every field here is a plain change.
  for (QLineEdit* e : {edtProject, static_cast<QLineEdit*>(edtDesigner), static_cast<QLineEdit*>(edtFloorArea),
                       static_cast<QLineEdit*>(edtStoreys), static_cast<QLineEdit*>(edtSegments)})
    connect(e, &QLineEdit::textEdited, this, [this] { this->Host().InputChanged(false); });
  connect(memDescription, &QPlainTextEdit::textChanged, this, [this] {
    if (memDescription->document()->isModified()) this->Host().InputChanged(false);
  });
}

void TGeneralPage::RegisterFields() {
  Host().RegisterField(this, PageName(), QStringLiteral("Designer"), edtDesigner);
  Host().RegisterField(this, PageName(), QStringLiteral("Floor area"), edtFloorArea);
  Host().RegisterField(this, PageName(), QStringLiteral("Number of storeys"), edtStoreys);
  Host().RegisterField(this, PageName(), QStringLiteral("Positions along beam for results calculation"), edtSegments);
}

void TGeneralPage::UpdateScreenFromProject() {
  const TProject& p = Host().Project();
  edtProject->setText(ToQ(p.Project));
  memDescription->setPlainText(ToQ(p.Description));
  memDescription->document()->setModified(false);
  edtDesigner->setText(ToQ(p.Designer));
  edtFloorArea->setText(ToQ(FloatToStrDP(true, 0, 0, static_cast<double>(p.FloorArea))));
  edtStoreys->setText(ToQ(FloatToStrDP(true, 0, 0, static_cast<double>(p.Storeys))));
  edtSegments->setText(QString::number(p.Segments));
}

void TGeneralPage::UpdateProjectFromScreen() {
  TProject& p = Host().Project();
  p.Project = ToStd(edtProject->text());
  p.Description = ToStd(memDescription->toPlainText());
  p.Designer = ToStd(edtDesigner->text());
  p.FloorArea = StrToIntDef(ToStd(edtFloorArea->text()), 0);
  p.Storeys = StrToIntDef(ToStd(edtStoreys->text()), 0);
  p.Segments = StrToIntDef(ToStd(edtSegments->text()), 10);
  // The composite stage choice is never shown: every transfer sets the in-service stage.
  p.DesignCompositeStage = kInServiceStage;
}
