// CRCs by carry-less multiplication: the data is folded 64 bytes at a time into
// four 128-bit remainders that stay congruent to it modulo the polynomial; the
// last remainder is finished through the tables. Works for any reflected CRC
// up to 32 bits wide; only the keys differ.
#include "crclib/crc_bytewise.h"
#include "crclib/crc_engine.h"

#if defined(__x86_64__)
#include <immintrin.h>

namespace qm::crc {
namespace {

// x^n mod P, bit d holding the coefficient of x^d; P given without its top term.
constexpr std::uint64_t xPowerMod(int width, std::uint64_t polynomial, int n) {
  const std::uint64_t top = std::uint64_t{1} << width;
  std::uint64_t value = 1;
  for (int i = 0; i < n; ++i) {
    value <<= 1;
    if (value & top) value ^= top | polynomial;
  }
  return value;
}

constexpr std::uint64_t reversed(std::uint64_t value) {
  std::uint64_t out = 0;
  for (int i = 0; i < 64; ++i) out |= ((value >> i) & 1) << (63 - i);
  return out;
}

// The product of two reflected 64-bit operands lands one degree too high in
// the reflected 128-bit result, so the key for x^n is x^(n-1).
constexpr std::uint64_t key(int width, std::uint64_t polynomial, int n) {
  return reversed(xPowerMod(width, polynomial, n - 1));
}

// Moving a remainder forward by `bits`: its first half (the low quadword, the
// higher powers) travels bits + 64, its second half bits.
struct alignas(16) FoldKeys {
  std::uint64_t by64Bytes[2];
  std::uint64_t by16Bytes[2];
};

constexpr FoldKeys makeKeys(int width, std::uint64_t polynomial) {
  return {{key(width, polynomial, 512 + 64), key(width, polynomial, 512)},
          {key(width, polynomial, 128 + 64), key(width, polynomial, 128)}};
}

constexpr FoldKeys kCrc32Keys = makeKeys(32, 0x04C11DB7);
constexpr FoldKeys kCrc16Keys = makeKeys(16, 0x1021);

__attribute__((target("pclmul"))) inline __m128i fold(__m128i value, __m128i keys, __m128i next) {
  const __m128i first = _mm_clmulepi64_si128(value, keys, 0x00);
  const __m128i second = _mm_clmulepi64_si128(value, keys, 0x11);
  return _mm_xor_si128(_mm_xor_si128(first, second), next);
}

inline __m128i load(const unsigned char* p) { return _mm_loadu_si128(reinterpret_cast<const __m128i*>(p)); }

// The register is folded into the first bytes of the data, so the remainders
// start from a zero register and the tables finish from zero too.
template <typename Word>
__attribute__((target("pclmul"))) Word folded(const SliceTables<Word>& tables, const FoldKeys& keys, Word reg,
                                              const unsigned char* data, std::size_t size) {
  if (size < 128) return sliced(tables, reg, data, size);
  const __m128i by64 = _mm_load_si128(reinterpret_cast<const __m128i*>(keys.by64Bytes));
  const __m128i by16 = _mm_load_si128(reinterpret_cast<const __m128i*>(keys.by16Bytes));
  __m128i x0 = _mm_xor_si128(load(data), _mm_cvtsi32_si128(static_cast<int>(reg)));
  __m128i x1 = load(data + 16), x2 = load(data + 32), x3 = load(data + 48);
  for (data += 64, size -= 64; size >= 64; data += 64, size -= 64) {
    x0 = fold(x0, by64, load(data));
    x1 = fold(x1, by64, load(data + 16));
    x2 = fold(x2, by64, load(data + 32));
    x3 = fold(x3, by64, load(data + 48));
  }
  __m128i x = fold(fold(fold(x0, by16, x1), by16, x2), by16, x3);
  for (; size >= 16; data += 16, size -= 16) x = fold(x, by16, load(data));
  alignas(16) unsigned char rest[16];
  _mm_store_si128(reinterpret_cast<__m128i*>(rest), x);
  return bytewise(tables, sliced(tables, Word{0}, rest, sizeof rest), data, size);
}

std::uint32_t crc32Folded(std::uint32_t reg, const unsigned char* data, std::size_t size) {
  return folded(kCrc32Tables, kCrc32Keys, reg, data, size);
}

std::uint16_t crc16Folded(std::uint16_t reg, const unsigned char* data, std::size_t size) {
  return folded(kCrc16Tables, kCrc16Keys, reg, data, size);
}

}  // namespace

const Engine* foldingEngine() {
  static constexpr Engine engine{"pclmulqdq folding", crc32Folded, crc16Folded};
  __builtin_cpu_init();
  return __builtin_cpu_supports("pclmul") ? &engine : nullptr;
}

}  // namespace qm::crc

#else

namespace qm::crc {
const Engine* foldingEngine() { return nullptr; }
}  // namespace qm::crc

#endif
