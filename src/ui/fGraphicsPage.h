// The "Graphics" page of the results area: the charts of one analysed beam.
// At its left the choices of the beam and the chart to show ("Select graphic
// to display"), with Print and Save Image; the chart fills the rest of the page and is
// drawn again at every size.
//
// The page draws from the project's beams only between SetResults (a run has
// ended) and ClearResults (the next run starts, or the input changed): while
// a run is under way it owns the project, and the page shows no chart.
//
// Interface thread only.
#pragma once

#include <QWidget>

#include "report/cResultsGraphics.h"
#include "report/qt/cResultsChart.h"

class QComboBox;
class QLabel;
class QPushButton;
class TProject;

// The chart of one beam, painted anti-aliased at the widget's size; a text in
// place of the chart while there is nothing to draw.
class TChartView : public QWidget {
  Q_OBJECT
 public:
  explicit TChartView(QWidget* Parent = nullptr);

  // Beam (not owned; null for none) drawn as chart Type; Placeholder says why
  // nothing is drawn when Beam is null.
  void Show(const TBeam* Beam, TDrawingType Type, const QString& Placeholder);
  const TBeam* Beam() const { return beam_; }
  TDrawingType Type() const { return type_; }

  QSize sizeHint() const override { return {480, 220}; }
  QSize minimumSizeHint() const override { return {160, 90}; }

 protected:
  void paintEvent(QPaintEvent* Event) override;

 private:
  const TBeam* beam_ = nullptr;
  TDrawingType type_ = dtResultsSummary;
  QString placeholder_;
};

class TGraphicsPage : public QWidget {
  Q_OBJECT
 public:
  explicit TGraphicsPage(QWidget* Parent = nullptr);

  // The project's beams have results: the beams in use can be chosen and
  // drawn. FileName (the project's file, empty when untitled) names saved images.
  void SetResults(TProject& Project, const QString& FileName);
  // Nothing to draw any more; Reason says why (empty: nothing analysed yet).
  void ClearResults(const QString& Reason);
  bool HasResults() const { return project_ != nullptr; }

  // The chart shown: the beam chosen (its side, -1 for none) and the chart type.
  int BeamSide() const;
  void SelectBeam(int Side);
  TDrawingType ChartType() const;
  void SelectChart(TDrawingType Type);

  // Writes the chart shown to File (.png or .svg); false, with the message
  // shown, when it could not be written.
  bool SaveImageTo(const QString& File);
  // Asks for a file and saves the chart shown.
  void SaveImage();
  // Prints the chart shown on one page with its title block (the print
  // dialog offers PDF too).
  void PrintChart();
  // The title block of the chart shown: the project's name and file, the
  // beam, the chart, today's date and the program's version.
  TChartTitleBlock TitleBlock() const;

  QComboBox* cboBeam() const { return cboBeam_; }
  QComboBox* cboChart() const { return cboChart_; }
  QPushButton* btnPrint() const { return btnPrint_; }
  QPushButton* btnSaveImage() const { return btnSaveImage_; }
  TChartView* Chart() const { return Chart_; }

 signals:
  void LogLine(const QString& Line);

 private:
  void ShowChart();
  void UpdateCommands();

  TProject* project_ = nullptr;
  QString file_name_;
  QString reason_;
  QComboBox* cboBeam_ = nullptr;
  QComboBox* cboChart_ = nullptr;
  QPushButton* btnPrint_ = nullptr;
  QPushButton* btnSaveImage_ = nullptr;
  TChartView* Chart_ = nullptr;
};
