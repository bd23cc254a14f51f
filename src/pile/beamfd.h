// The five-point finite-difference beam-column on the nodes of a pile,
//   (R y'')'' + Q y'' + k y = f   (Q the axial force, compression positive),
// solved without assembling the band: each row i gives the recursion
//   y(i) = A(i) y(i+1) + B(i) y(i+2) + C(i).
// Solver arrays: node k in slot k + 3, the head in slot 4, the tip in slot n;
// slot 3 and slots n + 1, n + 2 are the imaginary nodes of the end conditions.
#pragma once

#include <cstdint>

#include "model/nodes.h"

namespace drelm {

// Head rows (slots 1 to 4) for head deflection Y and head rotation term S
// (prescribed slope -S): connection code 1 pinned (zero moment), 2 fixed
// (slope -S), any other code a rotational spring s against the slope,
// R (y0 - 2 y1 + y2) / h^2 = s ((y2 - y0) / (2h) + S). RH is the head rigidity.
void BEAMHD(std::int32_t code, double RH, double s, double h, double Y, double S, NodeArray& A,
            NodeArray& B, NodeArray& C);

// A pivot or tip determinant this small against the magnitude of its row's
// terms leaves the pile without a unique solution (a mechanism).
constexpr double BEAMPIV = 1.0E-10;

// Forward elimination over the node rows 5 .. n with rigidity R, axial force
// Q, soil modulus K and load F (force per length). False when a pivot is
// zero or negligible against its row's diagonal: the recursion then holds no
// solution.
bool BEAMFW(int n, double h, const NodeArray& R, const NodeArray& Q, const NodeArray& K,
            const NodeArray& F, NodeArray& A, NodeArray& B, NodeArray& C);

// The terms of the rows 5 .. n that depend on the rigidity and the axial
// force only (the diagonal without the soil term): a lateral solution sets
// them up once for as long as R and Q stay.
struct BeamRow {
  double a, b, c, d, e;
};
struct BeamRows {
  BeamRow row[MAXNOD + 1];  // row i at index i
};
void BEAMROWS(int n, double h, const NodeArray& R, const NodeArray& Q, BeamRows& rows);

// BEAMFW of the two lateral directions of a space pile at once: both share
// the soil modulus K; direction d takes ROWS[d] and F[d]. The two
// recursions run side by side, each with BEAMFW's arithmetic, so that their
// chains of divisions overlap. OK[d] is BEAMFW's result of direction d.
void BEAMFW2(int n, double h, const BeamRows (&ROWS)[2], const NodeArray& K,
             const NodeArray (&F)[2], NodeArray (&A)[2], NodeArray (&B)[2], NodeArray (&C)[2],
             bool (&OK)[2]);

// Zero moment and zero shear at the tip slot n (tip values QT, RT) fix the
// two imaginary slots below it; back substitution then gives Y at slots
// 3 .. n + 2. False, with Y untouched, when the determinant of the two tip
// conditions is zero or negligible against its terms.
bool BEAMBK(int n, double h, double QT, double RT, const NodeArray& A, const NodeArray& B,
            const NodeArray& C, NodeArray& Y);

}  // namespace drelm
