// Byte counts shown as whole "Ko" or "Mo" figures with digits grouped by three.
#include "instutils/TextUtils.h"

namespace {

constexpr int64_t kKo = 1024;
constexpr int64_t kMo = 1024 * 1024;
// From this size on a figure is always shown in Mo.
constexpr int64_t kMoThreshold = 16 * kMo - 1;

std::string Group(int64_t n) {
  std::string sign = n < 0 ? "-" : "";
  std::string t = std::to_string(n < 0 ? -n : n);
  for (int64_t p = static_cast<int64_t>(t.size()) - 2; p > 1; p -= 3)
    t.insert(static_cast<size_t>(p - 1), 1, ' ');
  return sign + t;
}

// size / 1 Mo rounded to the nearest whole number, a tie going to the even one.
int64_t RoundedMo(int64_t size) {
  int64_t q = size / kMo;
  int64_t r = size % kMo;
  if (r > kMo / 2 || (r == kMo / 2 && q % 2 != 0))
    ++q;
  return q;
}

} // namespace

std::string GroupDigits(int32_t n) {
  return Group(n);
}

std::string FormatSize(int64_t size) {
  int64_t mo = RoundedMo(size);
  if (size >= kMoThreshold || (size != 0 && size == mo * kMo))
    return Group(mo) + " Mo";
  return Group(size / kKo) + " Ko";
}
