// The design standard: the two editions of AS/NZS 2327, each one object
// behind the interface TStandard, and the choice between them.
//
// TStandard holds every rule whose value or wording differs between the
// editions, each a function of the quantities its rule names (symbols and
// units in the signature, see cUnits.h). The 2003 edition's rules are in
// Standard2003.cpp, the 2017 edition's in Standard2017.cpp, and no other code
// asks which edition is current: it asks the standard it was given for the
// rule. The formulas that the editions share are in cFormulas.h and
// cSteelFormulas.h (components) and engine/cCompositeFormulas.h.
//
// Choosing the edition. The edition is a program-wide setting with a
// per-thread guard (see entity/cProgramSetting.h for the thread rule): the
// front end sets the program-wide edition, and the administrator tools run a
// test or a design table under its own edition with TStandardVersionScope.
// CurrentStandard() is the one place that reads it: an analysis calls it
// once, at its start, and hands the standard to everything it calculates; an
// input check calls it once per check. The two standards are constant objects
// that live as long as the program; any thread may use them at once.
#pragma once

#include <string>

#include "components/cCapacityFactor.h"
#include "components/cUnits.h"
#include "entity/cProgramSetting.h"

class TStatus;
class TConcreteFloor;
class TSteelDeck;
class TShearConnector;

constexpr int kStandard2003 = 0;
constexpr int kStandard2017 = 1;

// The calling thread's edition (kStandard2003 or kStandard2017), as tests and
// design tables record it.
int StandardVersion();
// Sets the program-wide edition (any value other than 0 gives the 2017 edition).
void SetStandardVersion(int Version);

// "AS/NZS2327.1-2003" for 0, "AS/NZS2327:2017" for 1.
std::string StandardName(int Version);
std::string CurrentStandardName();

// Sets the calling thread's edition while it lives; the previous edition
// returns when it ends.
class TStandardVersionScope {
 public:
  explicit TStandardVersionScope(int Version);

 private:
  TProgramSetting<int>::TScope scope_;
};

// How an edition names the quantities whose names differ between the
// editions, as the results report and its drawings print them.
struct TStandardTerms {
  const char* Es;                  // "Steel elastic modulus Es" | "Es"
  const char* Ec;                  // "Concrete elastic modulus Ec" | "Ec for serviceability"
  const char* EcForConnectors;     // nullptr where the connectors use Ec itself | "Ec for shear connector strength"
  const char* PRk;                 // "Nominal shear capacity of connector PRk" | "fvs"
  const char* SlabDepthColumn;     // the slab depth column: "Ds (mm)" | "Dc (mm)"
  const char* SteelShearColumn;    // phi Vv of the steel web: "\"Vpl,Rd (kN)\"" | "phi.Vv (kN)"
  const char* VcompColumn;         // the composite shear capacity: "\"Vcomp,beta (kN)\"" | "phi.Vv (kN)"
  const char* VcompLegend;         // the same in a drawing's legend (UTF-8)
  const char* SteelLimitsClause;   // cited before the steel section's limits: "(Cl 1.1.1a) " | ""
};

// One cross-section of a beam as the rules of partial shear connection read
// it. The engine's potential critical cross-section provides it; each value
// is worked out when it is asked for.
class TConnectionSection {
 public:
  // phi Mb: design moment capacity at the degree of shear connection beta (0 to 1), kNm.
  virtual unit::kNm Mb(double beta) const = 0;
  // psi: the degree of shear connection at which Mbfc is reached.
  virtual double psi() const = 0;
  // phi Mbfc: design moment capacity with the steel web ignored, kNm.
  virtual unit::kNm Mbfc() const = 0;
  // phi Msf: design moment capacity of the steel flanges and plate alone, kNm.
  virtual unit::kNm Msf() const = 0;
  // |V*| / Vcomp as the minimum shear connection held it (below 1).
  virtual double shear_ratio() const = 0;
  // |V*| / Vcomp with the composite shear capacity as it stands now (1 when
  // there is none).
  virtual double ShearRatioNow() const = 0;

 protected:
  ~TConnectionSection() = default;
};

// A web between its compact and its slender limit: the depths next to each
// flange that count (mm) and the thickness that counts (mm).
struct TNonCompactWeb {
  unit::mm dc1;       // next to the top flange
  unit::mm dc2;       // next to the bottom flange
  unit::mm tw_eff;    // effective web thickness
  bool IsInvalid;     // the two depths did not fit in the web: dc2 was cut to dp - dc1
};

class TStandard {
 public:
  virtual ~TStandard() = default;

  // kStandard2003 or kStandard2017.
  virtual int Version() const = 0;
  // "AS/NZS2327.1-2003" or "AS/NZS2327:2017".
  virtual std::string Name() const = 0;
  virtual const TStandardTerms& Terms() const = 0;

  // phi: the capacity factor for a kind of action effect.
  virtual double phi(TCapacityFactorType Kind) const = 0;

  // --- Concrete of the slab.
  // Ec: elastic modulus for the stiffness of the composite section, MPa.
  virtual unit::MPa Ec(unit::MPa fc, unit::kg_m3 rho, bool WillUseEcTable) const = 0;
  // Elastic modulus for the strength of the shear connectors, MPa.
  virtual unit::MPa EcForConnectors(unit::MPa fc, unit::kg_m3 rho, bool WillUseEcTable) const = 0;
  // The greatest strength grade f'c the edition covers (a warning above it).
  virtual void CheckConcreteStrength(unit::MPa fc, TStatus& Status) const = 0;

  // --- Profiled steel deck.
  // Whether the concrete below the top of the ribs counts for nothing, at any angle.
  virtual bool IgnoresConcreteBelowRibs(const TSteelDeck& Deck) const = 0;
  // lambda: the share (0 to 1) of the concrete below the top of the ribs that
  // counts, on a side whose ribs make the angle theta with the beam.
  virtual double lambda(const TSteelDeck& Deck, unit::degrees theta) const = 0;
  // The edition's limits on the deck's geometry (warnings).
  virtual void CheckDeck(const TSteelDeck& Deck, TStatus& Status) const = 0;

  // --- Shear connectors.
  // PRk: nominal capacity of one connector in the slab concrete, kN; fuc_max
  // caps the connector's tensile strength where the edition does. Messages go
  // to Status.
  virtual unit::kN PRk(const TShearConnector& Connector, const TConcreteFloor& Concrete, unit::MPa fuc_max,
                       TStatus& Status) const = 0;
  // The connector types the edition permits and the stud diameters it covers.
  virtual void CheckConnector(const TShearConnector& Connector, TStatus& Status) const = 0;
  // The edition's limits on the slab and on the connectors' height above the deck.
  virtual void CheckFloor(unit::mm Ds, const TSteelDeck& Deck, const TShearConnector& Connector,
                          TStatus& Status) const = 0;
  // kt: reduction of the connector capacity for n connectors per rib (or per
  // transverse row) in a deck whose ribs make the angle theta (the larger of
  // both sides) with the beam; TroughWidth is the trough at the beam, mm.
  virtual double kt(int n, unit::degrees theta, unit::mm TroughWidth, const TSteelDeck& Deck,
                    const TShearConnector& Connector) const = 0;
  // The least and greatest connector spacing along the beam where the
  // connectors sit in the deck's ribs, at rib pitches cL and cR along the
  // beam (mm): smin and smax come in as the limits of the connector and the
  // slab and leave fitted to the ribs.
  virtual void FitSpacingToRibs(const TSteelDeck& Deck, unit::mm cL, unit::mm cR, unit::mm& smin,
                                unit::mm& smax) const = 0;
  // The most connectors per group the analysis tries before it gives up on
  // the minimum spacing.
  virtual int MaxConnectorsPerGroup(bool IsSolidSlab) const = 0;
  // ni: connectors needed to transmit the force Fcp (kN, with the concrete
  // capacity factor in it) at a design capacity fds (kN) each.
  virtual int ni(unit::kN Fcp, unit::kN fds) const = 0;
  // beta: degree of shear connection that ni_actual connectors of design
  // capacity fds (kN) give a section whose concrete carries Fcc (kN), before
  // it is limited to 1.
  virtual double beta_actual(double ni_actual, unit::kN fds, unit::kN Fcc) const = 0;

  // --- Steel section (local buckling).
  // lambda_ey of a web whose elastic neutral axis lies alpha_y of the web
  // depth below the top flange (0 < alpha_y <= 1).
  virtual double lambda_ey_web(double alpha_y) const = 0;
  // The effective web of a web between its compact and slender limits: dp the
  // clear web depth, tw its thickness, fyw its yield stress, tf1 the top
  // flange thickness, y the depth of the elastic centroid and alpha_p the
  // share of the web in compression at the plastic neutral axis.
  virtual TNonCompactWeb NonCompactWeb(unit::mm dp, unit::mm tw, unit::MPa fyw, unit::mm tf1, unit::mm y,
                                       double alpha_p) const = 0;

  // --- Composite section.
  // beff of one side of the beam, mm: b the slab width of that side (already
  // limited to Lef/8), Lef the effective span, x the position along it, bsf1
  // the steel top flange width, Dc the slab depth, IsEdge a free slab edge.
  virtual unit::mm beff_side(unit::mm b, unit::mm Lef, unit::mm x, unit::mm bsf1, unit::mm Dc,
                             bool IsEdge) const = 0;
  // Vslab: the slab's contribution to the vertical shear capacity, kN.
  virtual unit::kN Vslab(unit::mm Dslab, unit::mm bsf1, double lambdasd, unit::MPa fc) const = 0;
  // Vcomp: vertical shear capacity of the composite section, kN, from the
  // slab's and the steel web's nominal capacities at the degree of shear
  // connection beta.
  virtual unit::kN Vcomp(unit::kN Vslab, unit::kN Vv, double beta, double lambdasd) const = 0;

  // --- Partial shear connection.
  // phi Mbv: the dependable moment capacity at the degree of shear connection
  // beta, reduced for vertical shear, kNm.
  virtual unit::kNm phiMbv(double beta, const TConnectionSection& Section) const = 0;
  // beta_min: the least degree of shear connection whose dependable capacity
  // carries M* (kNm); above 1 when none does. IsVeryDuctile: the connectors
  // are very ductile.
  virtual double beta_min(unit::kNm Mstar, const TConnectionSection& Section, bool IsVeryDuctile) const = 0;
  // The least degree of shear connection at the position of the greatest
  // moment, whatever the moment: Le the effective span (mm), fy the top
  // flange's yield stress, FlangeAreaRatio the bottom flange (and plate)
  // area over the top flange area.
  virtual double beta_min_at_max_moment(bool IsVeryDuctile, double FlangeAreaRatio, unit::MPa fy,
                                        unit::mm Le) const = 0;

  // --- Summary.
  // Whether the composite stage's bending and vertical shear are also checked together.
  virtual bool ChecksCombinedBendingAndShear() const = 0;
  // Whether the connectors' capacity is reduced in a deck (kt, kl) by the
  // number of connectors per rib, so that a report shows both.
  virtual bool HasConnectorReductionFactor() const = 0;
};

// The standard of the calling thread's edition.
const TStandard& CurrentStandard();
// The standard of an edition (any value other than 0 gives the 2017 edition).
const TStandard& StandardFor(int Version);
// The two editions themselves (Standard2003.cpp, Standard2017.cpp).
const TStandard& Standard2003();
const TStandard& Standard2017();
