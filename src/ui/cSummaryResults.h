// The "Summary Results" page of the results area: a heading line and one line
// per beam (side-1 secondary, side-2 secondary, primary; beam numbers 1, 2, 0)
// with the beam's name, grade, section, strength, stress and deflection
// ratios, camber, shear connectors, and a tick or a cross with the error text.
// Beside a library section's name, an up and a down button ask for the next
// heavier or lighter section of the same type and grade (the window changes
// the beam's section and analyses again). Under the beams' lines, the floor
// vibration line: its outcome with a tick or a cross.
#pragma once

#include <QWidget>

#include <array>

class QGridLayout;
class QLabel;
class QToolButton;
struct TBeamSummary;
struct TVibrationSummary;

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
  // The floor vibration line after a run: its text, the tick or the cross
  // with why it fails (neither when the check is off).
  void ShowVibration(const TVibrationSummary& Summary);
  // Empties the results columns and hides the ticks, crosses and error texts.
  void ClearResultsDisplay();
  // Hides the crosses and error texts (after an input change).
  void HideErrors();

  QString Text(int Side, TColumn Column) const;
  QString ErrorText(int Side) const;
  QString VibrationText() const;
  QString VibrationErrorText() const;
  bool IsVibrationTickShown() const;
  bool IsVibrationCrossShown() const;
  bool IsTickShown(int Side) const;
  bool IsCrossShown(int Side) const;
  // The up (Step +1, the next section of the library) and down (-1) buttons of beam Side.
  QToolButton* StepButton(int Side, int Step) const;
  bool AreStepButtonsShown(int Side) const;
  // Locked while a run is under way.
  void SetStepButtonsEnabled(bool IsEnabled);

 signals:
  // The user asked for the next (Step +1) or previous (-1) library section of beam Side.
  void SectionStepRequested(int Side, int Step);

 private:
  struct TLine {
    std::array<QLabel*, colCount> Cells{};
    QLabel* Tick = nullptr;
    QLabel* Cross = nullptr;
    QLabel* Error = nullptr;
    QToolButton* Up = nullptr;
    QToolButton* Down = nullptr;
  };
  void ShowStepButtons(int Side);
  TLine& LineOf(int Side) { return lines_[static_cast<size_t>(Side)]; }
  const TLine& LineOf(int Side) const { return lines_[static_cast<size_t>(Side)]; }

  QGridLayout* grid_;
  std::array<TLine, 3> lines_;  // indexed by beam number 0, 1, 2
  struct TVibrationLine {
    QLabel* Name = nullptr;
    QLabel* Text = nullptr;
    QLabel* Tick = nullptr;
    QLabel* Cross = nullptr;
    QLabel* Error = nullptr;
  } vibration_;
};
