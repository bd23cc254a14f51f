#include "cap/headrsp.h"

#include "pile/pilehd.h"

namespace drelm {

namespace {
HeadResponse replacement = nullptr;
}

HeadResponse headResponse() { return replacement != nullptr ? replacement : &PILEHD; }

void setHeadResponse(HeadResponse f) { replacement = f; }

}  // namespace drelm
