// The units of the standard's formulas. A formula names each quantity by its
// symbol and its unit by one of these names, so that its signature reads like
// the standard's list of symbols: kN PRk_shank(double c, mm dbs, MPa fuc).
// They are plain doubles: the names document the unit, they convert nothing.
#pragma once

namespace unit {

using mm = double;           // length
using mm2 = double;          // area
using mm3 = double;          // first moment of area, section modulus
using mm4 = double;          // second moment of area
using MPa = double;          // stress, strength, elastic modulus
using N = double;            // force
using kN = double;           // force
using kNm = double;          // moment
using kNmm = double;         // moment, before it is turned into kNm
using kg_m3 = double;        // density
using degrees = double;      // angle
using microstrain = double;  // strain, 10^-6

}  // namespace unit
