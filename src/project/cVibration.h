// TVibration: the floor vibration check of a project (walking excitation,
// AISC Design Guide 11): its inputs, kept in the project file's [Vibration]
// section, and the results of the last analysis run. The run calculates it
// once, after every beam has its section (Calculate); it never changes a
// beam's results, its verdict, the project's assessment or a design choice.
//
// The floor panel checked is the bay of a designed secondary beam ("the
// beam") and, when the floor has one, the primary beam that carries it ("the
// girder"). With different sides, each side's bay is checked and the worse
// one kept (BaySide). The steps are the functions of engine/cFloorVibration.h;
// Input and Result keep every value of the chain for a calculation report.
//
// Property names: the inputs by their file keys; the results as `eval` prints
// them (Vibration.Frequency, Vibration.PeakAcceleration ...). The property
// "IsOK" is the check's verdict; the C++ IsOK() validates the inputs, as every
// entity's does. Girder results are 0 without a primary beam; all results are
// 0 before a run, when the check is off or when it could not be made (then
// Message says why and the verdict is false).
//
// Owned by the project; not thread-safe (the run owns the project while it goes).
#pragma once

#include <string>
#include <vector>

#include "engine/cFloorVibration.h"
#include "entity/cEntity.h"
#include "report/cPrintableStringList.h"

class TProject;

class TVibration : public TEntity {
 public:
  TVibration();

  // Inputs, in file order; Clear restores these defaults (older files without the section get them).
  bool IsChecked = true;
  double Damping = 0.03;           // beta: furnished floor with small demountable partitions
  double AccelerationLimit = 0.5;  // %g: offices and residences
  double LiveLoadInMass = 0.5;     // kPa: a realistic office live load
  double FloorWidth = 0;           // across the beams, mm; 0: not limited
  double FloorLength = 0;          // along the beams, mm; 0: not limited
  bool IsBeamContinuous = false;   // beams continuous with an adjacent span of at least 0.7 Lj
  bool IsBeamOnSeat = false;       // beams seated on the girder's top flange (else framing into its web)

  // Results of the last run.
  double BeamLineLoad = 0;      // kN/m
  double GirderLineLoad = 0;    // kN/m
  double BeamInertia = 0;       // mm4
  double GirderInertia = 0;     // mm4
  double BeamDeflection = 0;    // mm
  double GirderDeflection = 0;  // mm
  double GirderDeflectionReduced = 0;  // in the combined mode, mm
  double BeamFrequency = 0;     // Hz
  double GirderFrequency = 0;   // Hz
  double Frequency = 0;         // fn, Hz
  double SlabStiffness = 0;     // mm4/mm
  double BeamStiffness = 0;     // mm4/mm
  double GirderStiffness = 0;   // mm4/mm
  double BeamPanelWidth = 0;    // mm
  double GirderPanelWidth = 0;  // mm
  double BeamWeight = 0;        // kN
  double GirderWeight = 0;      // kN
  double EffectiveWeight = 0;   // kN
  double PeakAcceleration = 0;  // %g
  bool IsAcceptable = false;    // the property "IsOK"

  bool IsCalculated = false;    // the chain ran to its end
  int BaySide = 0;              // the secondary beam (1 or 2) whose bay governs; 0 before a run
  std::string BayCaption;       // that beam's caption in the report ("Secondary beam: SB1")
  std::string Message;          // why the check could not be made
  vibration::TFloorVibrationInput Input;
  vibration::TFloorVibrationResult Result;

  // Restores the default inputs and clears the results.
  void Clear() override;
  void ClearResults();
  // A key missing from the file keeps its default, so that older files get
  // the defaults (the generic load would read 0 and false).
  void LoadFromIniFile(TVEXIniFile& IniFile, const std::string& Prefix, const std::string& Suffix) override;
  // The inputs within their ranges (damping 0.005 to 0.1, limit 0.1 to 10 %g,
  // live load in the mass 0 to 5 kPa, floor sizes 0 or 1000 to 500000 mm);
  // messages name the value. Resets the status.
  bool IsOK() override;
  // The check on the project as the run leaves it (sections loaded, spans
  // set). Does nothing but clear the results when IsChecked is off.
  void Calculate(const TProject& Project);

  // The report's block, after every beam's: "FLOOR VIBRATION" and the chain.
  // Nothing when the check is off.
  void Dump(TStringList& TXT) const;

  TRV_PROPERTIES(TVibration, TEntity,
                 Published("IsChecked", &TVibration::IsChecked),
                 Published("Damping", &TVibration::Damping),
                 Published("AccelerationLimit", &TVibration::AccelerationLimit),
                 Published("LiveLoadInMass", &TVibration::LiveLoadInMass),
                 Published("FloorWidth", &TVibration::FloorWidth),
                 Published("FloorLength", &TVibration::FloorLength),
                 Published("IsBeamContinuous", &TVibration::IsBeamContinuous),
                 Published("IsBeamOnSeat", &TVibration::IsBeamOnSeat),
                 Public("BeamLineLoad", &TVibration::BeamLineLoad),
                 Public("GirderLineLoad", &TVibration::GirderLineLoad),
                 Public("BeamInertia", &TVibration::BeamInertia),
                 Public("GirderInertia", &TVibration::GirderInertia),
                 Public("BeamDeflection", &TVibration::BeamDeflection),
                 Public("GirderDeflection", &TVibration::GirderDeflection),
                 Public("GirderDeflectionReduced", &TVibration::GirderDeflectionReduced),
                 Public("BeamFrequency", &TVibration::BeamFrequency),
                 Public("GirderFrequency", &TVibration::GirderFrequency),
                 Public("Frequency", &TVibration::Frequency),
                 Public("SlabStiffness", &TVibration::SlabStiffness),
                 Public("BeamStiffness", &TVibration::BeamStiffness),
                 Public("GirderStiffness", &TVibration::GirderStiffness),
                 Public("BeamPanelWidth", &TVibration::BeamPanelWidth),
                 Public("GirderPanelWidth", &TVibration::GirderPanelWidth),
                 Public("BeamWeight", &TVibration::BeamWeight),
                 Public("GirderWeight", &TVibration::GirderWeight),
                 Public("EffectiveWeight", &TVibration::EffectiveWeight),
                 Public("PeakAcceleration", &TVibration::PeakAcceleration),
                 Public("IsOK", &TVibration::IsAcceptable))

 private:
  // The chain's input for the bay of secondary beam Side; Message says what is missing.
  bool GatherInput(const TProject& Project, int Side, vibration::TFloorVibrationInput& In, std::string& Why) const;
  void TakeResult(const vibration::TFloorVibrationResult& R);
};

// How the check came out, for the command line's line after the summary
// table and the window's line under the beams' summary lines.
struct TVibrationSummary {
  bool IsChecked = false;  // the check is on
  bool IsOK = false;       // the tick (else the cross, when checked)
  // "fn 5.21 Hz, peak acceleration 0.31 %g (limit 0.50 %g)", or what stopped
  // the check, or "not checked".
  std::string Text;
  // Why it fails, beside the cross; empty when it passes.
  std::string ErrorText;
  // The command line's line: "Floor vibration: " + Text + " OK" (or " FAIL").
  std::string Line;
};
TVibrationSummary VibrationSummary(const TVibration& Vibration);
