#include "nexa/rpc_envelope.h"

namespace nexalib {

bool IsWrappedBody(std::string_view _interface, std::string_view _method) {
  return _interface == "zq" && _method == "s";
}

std::string WrapBody(std::string_view body) {
  WrappedString wrapped;
  wrapped.body = body;
  std::string out;
  wrapped.PackData(out);
  return out;
}

std::string UnwrapBody(std::string_view wrapped) {
  WrappedString record;
  if (record.UnpackData(wrapped) != codec::PACK_OK) return {};
  return std::move(record.body);
}

std::string PackMessage(const RpcEnvelope& envelope, std::string_view body) {
  std::string plain;
  plain.reserve(envelope.PackedSize() + body.size());
  envelope.PackData(plain);
  plain.append(body);
  return plain;
}

}  // namespace nexalib
