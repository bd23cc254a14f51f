#include "soil/crvrec.h"

#include "report/gfield.h"
#include "report/writers.h"
#include "model/fileio.h"

namespace drelm {
namespace {

template <class T>
void item(std::string& rec, T v) {
  rec.append(reinterpret_cast<const char*>(&v), sizeof v);
}

}  // namespace

void CrvRecords::begin(std::int32_t unf) {
  buf_.clear();
  unf_ = unf != 0;
}

void CrvRecords::endText() { buf_ += '\n'; }

void CrvRecords::ints3(std::int32_t a, std::int32_t b, std::int32_t c) {
  if (unf_) {
    rec_.clear();
    item(rec_, a);
    item(rec_, b);
    item(rec_, c);
    io::frameRecord(buf_, rec_.data(), rec_.size());
    return;
  }
  buf_ += intField(10, a);
  buf_ += intField(10, b);
  buf_ += intField(10, c);
  endText();
}

void CrvRecords::ints2(std::int32_t a, std::int32_t b) {
  if (unf_) {
    rec_.clear();
    item(rec_, a);
    item(rec_, b);
    io::frameRecord(buf_, rec_.data(), rec_.size());
    return;
  }
  buf_ += intField(10, a);
  buf_ += intField(10, b);
  endText();
}

void CrvRecords::node(std::int32_t j, double x) {
  if (unf_) {
    rec_.clear();
    item(rec_, j);
    item(rec_, x);
    io::frameRecord(buf_, rec_.data(), rec_.size());
    return;
  }
  buf_ += intField(10, j);
  buf_ += fixedField(10, 4, x);
  endText();
}

void CrvRecords::values(const double* v, int n) {
  if (unf_) {
    rec_.clear();
    for (int k = 0; k < n; ++k) item(rec_, v[k]);
    io::frameRecord(buf_, rec_.data(), rec_.size());
    return;
  }
  buf_.append(10, ' ');
  for (int k = 0; k < n; ++k) {
    buf_ += ' ';
    buf_ += generalField(15, 8, v[k]);
  }
  endText();
}

void CrvRecords::point(std::int32_t k, double y, double f) {
  if (unf_) {
    rec_.clear();
    item(rec_, k);
    item(rec_, y);
    item(rec_, f);
    io::frameRecord(buf_, rec_.data(), rec_.size());
    return;
  }
  buf_ += intField(10, k);
  buf_ += ' ';
  buf_ += generalField(15, 8, y);
  buf_ += ' ';
  buf_ += generalField(15, 8, f);
  endText();
}

void CrvRecords::flush(int unit) {
  if (!buf_.empty()) io::put(unit, buf_);
  buf_.clear();
}

double crvForceAt(const double* Y, const double* F, int N, double YK) {
  if (N < 2) return N == 1 ? F[0] : 0.0;
  if (YK > Y[N - 1]) return F[N - 1];
  int m = 1;
  while (m < N - 1 && Y[m] < YK) ++m;
  const double dy = Y[m] - Y[m - 1];
  if (dy == 0.0) return F[m];
  return F[m - 1] + (YK - Y[m - 1]) * (F[m] - F[m - 1]) / dy;
}

void crvMerge(const double* YA, const double* FA, const double* YB, const double* FB, int N, double* Y,
              double* F) {
  const bool baseA = YB[N - 1] > YA[N - 1];
  const double* yb = baseA ? YA : YB;
  const double* fb = baseA ? FA : FB;
  const double* yo = baseA ? YB : YA;
  const double* fo = baseA ? FB : FA;
  for (int k = 0; k < N; ++k) {
    const double y = yb[k];
    const double f = fb[k] + crvForceAt(yo, fo, N, y);
    Y[k] = y;
    F[k] = f;
  }
}

}  // namespace drelm
