// Sections used by the steel section tests.
#pragma once

#include "components/cSteelSection.h"

// 310UB40.4 Grade 300 (AS/NZS 3679.1): d 304, b 165, tf 10.2, tw 6.1, fy 320 MPa.
inline void Set310UB404(TSteelSection& s, const std::string& label = "Base steel beam") {
  s.SteelSectionLabel = label;
  s.SetSectionType("UB");
  s.Name = "310UB40.4";
  s.Grade = "KESTREL";
  TCustomSteelSection& b = s.BaseSteelSection;
  b.d = 304;
  b.b = 165;
  b.tf = 10.2;
  b.tw = 6.1;
  b.fyf = 320;
  b.fyw = 320;
}

// A user-defined welded I-section ("Custom_I", heavily welded, one web).
inline void SetCustomI(TSteelSection& s, double d, double b, double tf, double fyf, double tw,
                       double fyw, double bbf, double tbf, double fybf) {
  s.SteelSectionLabel = "Base steel beam";
  s.SetSectionType("Custom_I");
  s.Name = "Custom";
  s.Grade = "";
  TCustomSteelSection& base = s.BaseSteelSection;
  base.d = d;
  base.b = b;
  base.tf = tf;
  base.fyf = fyf;
  base.tw = tw;
  base.fyw = fyw;
  base.Setbbf(bbf);
  base.Settbf(tbf);
  base.Setfybf(fybf);
}

// A standard section of the given type with equal flanges and one yield stress.
inline void SetStandard(TSteelSection& s, const std::string& type, double d, double b, double tf,
                        double tw, double fy) {
  s.SteelSectionLabel = "Base steel beam";
  s.SetSectionType(type);
  s.Name = "Test";
  s.Grade = "G";
  TCustomSteelSection& base = s.BaseSteelSection;
  base.d = d;
  base.b = b;
  base.tf = tf;
  base.tw = tw;
  base.fyf = fy;
  base.fyw = fy;
}
