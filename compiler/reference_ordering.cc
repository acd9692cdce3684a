#include "compiler/reference_ordering.h"

namespace scenario {
namespace {

struct Reference {
  Long start = 0;
  Long km = 0;
  Long flag = 0;
  int origin = 0;  // the record it was read into; 0 for a cleared one
};

Reference Load(const Scenario& s, int slot) {
  const Voce& v = s.voci[slot];
  return {v.inizio, v.fine, v.progressiva, slot};
}

void Store(const Reference& r, Voce& v) {
  v.inizio = r.start;
  v.fine = r.km;
  v.progressiva = r.flag;
}

}  // namespace

Long ReferenceStartsSum(const Scenario& s) {
  uint32_t sum = 0;
  for (int slot : {kReferenceThreeSlot, kReferenceTwoSlot, kReferenceOneSlot}) {
    sum += static_cast<uint32_t>(s.voci[slot].inizio);
  }
  return static_cast<Long>(sum);
}

void progressive_ordina(Scenario& s) {
  const Reference t = Load(s, kReferenceThreeSlot);
  const Reference d = Load(s, kReferenceTwoSlot);
  const Reference u = Load(s, kReferenceOneSlot);
  Reference t2, d2, u2;  // all (0, 0, 0) unless a rule below applies

  const Long sum = ReferenceStartsSum(s);
  // The greatest start first, then the other two, the greater start first.
  auto order = [&](const Reference& greatest, const Reference& a,
                   const Reference& b) {
    t2 = greatest;
    d2 = a.start > b.start ? a : b;
    u2 = a.start > b.start ? b : a;
  };
  if (sum == 0) {
    // Every rule that applies replaces all three; the last one wins.
    if (t.km > 0) {
      t2 = t;
      d2 = d;
      u2 = u;
    }
    if (d.km > 0) {
      t2 = d;
      d2 = t;
      u2 = u;
    }
    if (u.km > 0) {
      t2 = u;
      d2 = d;
      u2 = t;
    }
  } else if (t.start > d.start && t.start > u.start) {
    order(t, d, u);
  } else if (d.start > t.start && d.start > u.start) {
    order(d, t, u);
  } else if (u.start > t.start && u.start > d.start) {
    order(u, t, d);
  }
  // Otherwise two share the greatest start: no order, all three cleared.

  Store(t2, s.voci[kReferenceThreeSlot]);
  Store(d2, s.voci[kReferenceTwoSlot]);
  Store(u2, s.voci[kReferenceOneSlot]);
  s.reference_origins = {t2.origin, d2.origin, u2.origin};
  for (int slot : {kReferenceThreeSlot, kReferenceTwoSlot, kReferenceOneSlot}) {
    Voce& v = s.voci[slot];
    // Kept within 32 bits like every Long; the multiple-of-50 check follows.
    if (v.progressiva == 1)
      v.fine = static_cast<Long>(int64_t{v.fine} + kReferenceFlagMetres);
  }
}

}  // namespace scenario
