#include "ui/fResultsPage.h"

#include <QLabel>
#include <QVBoxLayout>

#include "ui/cPageFields.h"

TAnalysisResultsPage::TAnalysisResultsPage(TPageHost& Host, QWidget* Parent)
    : TDataPage(Host, QStringLiteral("Analysis results"), Parent) {
  lblResults = new QLabel(QStringLiteral(
      "The results of the last analysis are summarised under Summary Results below, beam by beam, "
      "and the Event Log lists every step of the run."));
  lblResults->setObjectName(QStringLiteral("lblResults"));
  lblResults->setWordWrap(true);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(MakeHeading(QStringLiteral("Analysis results")));
  layout->addWidget(lblResults);
  layout->addStretch(1);
}
