// What the stiff clay criteria share: the average strength of the layer.
#pragma once

#include "soil/pyframe.h"

namespace drelm::py {

// Average undrained strength ca at a node: from the soil top in the first
// layer; in a lower layer the trapezoidal mean along the layer's nodes
// evaluated so far (analysis) or the mean of the node's strength and the
// strength at the layer top (curve output). False when a look-up sets the
// status word.
class LayerStrength {
 public:
  bool at(const Call& a, const Node& n, double c, double& ca) {
    if (a.layer == 1) {
      ca = SOILCAVG(n.X, a.st);
      return a.st == 0;
    }
    if (a.mode != Mode::Analysis) {
      const double top = SOILCOM.LTOP(a.layer);
      const double ct = SOILC(top, a.st);
      if (a.st != 0) return false;
      ca = 0.5 * (c + ct);
      return true;
    }
    if (n.first) {
      integral_ = 0.0;
      x0_ = n.X;
      ca = c;
    } else {
      integral_ += 0.5 * (cPrev_ + c) * (n.X - PILENODE.XNODE(a.pile, n.i - 1));
      ca = integral_ / (n.X - x0_);
    }
    cPrev_ = c;
    return true;
  }

 private:
  double integral_ = 0.0;
  double x0_ = 0.0;
  double cPrev_ = 0.0;  // strength at the previous node evaluated in this call
};

}  // namespace drelm::py
