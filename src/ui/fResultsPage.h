// The "Analysis results" page. Choosing its node runs Analyse when the input
// changed since the last results; the page itself says where the results are
// until the results tree takes its place.
#pragma once

#include "ui/cDataPage.h"

class QLabel;

class TAnalysisResultsPage : public TDataPage {
  Q_OBJECT
 public:
  explicit TAnalysisResultsPage(TPageHost& Host, QWidget* Parent = nullptr);

  QLabel* lblResults;
};
