// The "Summary Results" page of the results area: a heading line and one line
// per beam (side-1 secondary, side-2 secondary, primary; beam numbers 1, 2, 0)
// with the beam's name, grade, section, strength, stress and deflection
// ratios, camber, shear connectors, and a tick or a cross with the error text.
#pragma once

#include <QWidget>

#include <array>

class QGridLayout;
class QLabel;
struct TBeamSummary;

class TSummaryResultsPage : public QWidget {
  Q_OBJECT
 public:
  enum TColumn { colBeam, colGrade, colSection, colStrength, colStress, colDeflection, colCamber, colConnectors, colCount };

  explicit TSummaryResultsPage(QWidget* Parent = nullptr);

  void SetBeamName(int Side, const QString& Name);
  void SetSection(int Side, const QString& Grade, const QString& Name);
  // A line is shown exactly when its beam is in use.
  void SetLineVisible(int Side, bool IsVisible);
  bool IsLineVisible(int Side) const;
  // The beam's results after its analysis.
  void ShowSummaryPanel(const TBeamSummary& Summary);
  // Empties the results columns and hides the ticks, crosses and error texts.
  void ClearResultsDisplay();
  // Hides the crosses and error texts (after an input change).
  void HideErrors();

  QString Text(int Side, TColumn Column) const;
  QString ErrorText(int Side) const;
  bool IsTickShown(int Side) const;
  bool IsCrossShown(int Side) const;

 private:
  struct TLine {
    std::array<QLabel*, colCount> Cells{};
    QLabel* Tick = nullptr;
    QLabel* Cross = nullptr;
    QLabel* Error = nullptr;
  };
  TLine& LineOf(int Side) { return lines_[static_cast<size_t>(Side)]; }
  const TLine& LineOf(int Side) const { return lines_[static_cast<size_t>(Side)]; }

  QGridLayout* grid_;
  std::array<TLine, 3> lines_;  // indexed by beam number 0, 1, 2
};
