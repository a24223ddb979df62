#include "session.h"

namespace zolhost {

CallRecord Session::Call(const CallRequest& request) {
  ApplyWrites(areas_, request.writes);
  CallRecord record{request.operation, 0, areas_, {}};
  record.status = entry_(request.operation->number, areas_.block.data(), areas_.value.data(),
                         areas_.text.data());
  record.after = areas_;
  return record;
}

}  // namespace zolhost
