#include "platform/rtl/Exceptions.h"

#include "platform/rtl/Consts.h"

EAbort::EAbort() : Exception(SOperationAborted) {}

void Abort() {
  throw EAbort();
}
