#include "session.h"

#include "errors.h"

namespace zolhost {

CallRecord Session::Call(const CallRequest& request) {
  ApplyWrites(areas_, request.writes);
  CallRecord record{request.operation, 0, areas_, {}};
  record.status = fpControls_ ? CallInFpState(request, *fpControls_)
                              : entry_(request.operation->number, areas_.block.data(),
                                       areas_.value.data(), areas_.text.data());
  record.after = areas_;
  return record;
}

// zolhost's own state comes back before it prints anything.
int32_t Session::CallInFpState(const CallRequest& request, FpControls controls) {
  const FpControls own = ReadFpControls();
  SetFpControls(controls);
  const FpControls set = ReadFpControls();
  const int32_t status = entry_(request.operation->number, areas_.block.data(), areas_.value.data(),
                                areas_.text.data());
  const FpControls after = ReadFpControls();
  const bool trapPending = FpTrapPending();
  SetFpControls(own);
  if (after != set || trapPending) {
    throw HostError("the call did not hand back the floating-point state: set " +
                    DescribeFpControls(set) + ", left " + DescribeFpControls(after) +
                    (trapPending ? ", with an unmasked exception flag raised" : ""));
  }
  return status;
}

}  // namespace zolhost
