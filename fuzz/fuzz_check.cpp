#include "fuzz/fuzz_check.h"

#include <cstdio>
#include <cstdlib>
#include <utility>

namespace tevral::fuzz {
namespace {

FailureHandler& Handler() {
  static FailureHandler handler;
  return handler;
}

}  // namespace

void SetFailureHandler(FailureHandler handler) {
  Handler() = std::move(handler);
}

void Expect(bool holds, std::string_view what) {
  if (holds) return;
  const std::string text(what);
  if (Handler()) Handler()(text);
  std::fprintf(stderr, "fuzz: property broken: %s\n", text.c_str());
  std::abort();
}

}  // namespace tevral::fuzz
