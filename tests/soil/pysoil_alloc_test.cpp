// The soil springs run for every pile at every iteration of a cap solution:
// a call in analysis mode must not touch the heap.
#include <gtest/gtest.h>

#include <cmath>

#include "soil/pyfixture.h"
#include "support/allocs.h"

namespace drelm {
namespace {

TEST(PySoilHeap, AnalysisCallsAllocateNothing) {
  test::setRun();
  // Each criterion family, static and cyclic.
  for (const int kst : {1, 0}) {
    for (const auto& layers :
         {std::initializer_list<test::Layer>{{1, 0, 240, 0.03, 4.0, 0, 0, 0.01},
                                             {4, 240, 600, 0.04, 0, 35, 150, 0},
                                             {3, 600, 1500, 0.045, 15.0, 0, 0, 0.005}},
          std::initializer_list<test::Layer>{{14, 0, 240, 0.03, 4.0, 0, 0, 0.01},
                                             {8, 240, 600, 0.04, 0, 35, 100, 0},
                                             {2, 600, 1500, 0.045, 15.0, 0, 0, 0.005}}}) {
      CURCTL.KSTCYC = kst;
      CURCTL.NCYCL = 10;
      test::setSoil(layers);
      test::setPile(1, 24, 1200, 100);
      test::Springs s;
      for (int k = 1; k <= 101; ++k) s.y(k) = 0.5 * std::exp(-0.05 * (k - 1));
      s.run();  // first call outside the count
      const long before = test::allocationCount();
      for (int i = 0; i < 20; ++i) s.run();
      EXPECT_EQ(test::allocationCount() - before, 0) << "loading kind " << kst;
      EXPECT_EQ(s.st, 0);
      EXPECT_GT(s.es(50), 0.0);
    }
  }
}

}  // namespace
}  // namespace drelm
