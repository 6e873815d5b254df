// Inflating the attached archive into one memory block, and walking its
// records. Every offset and size is checked in 64-bit arithmetic, so a hostile
// or damaged image can never make the walk read outside the block.
#include "engine/ArchiveReader.h"

#include <zlib.h>

#include <algorithm>
#include <bit>
#include <climits>
#include <cstring>

namespace {

// The largest image a signed 32-bit size can describe; the block is never
// allowed to grow past one byte more, which is enough to detect an overflow.
constexpr uint64_t kMaxImage = INT32_MAX;
constexpr uint64_t kMaxCapacity = kMaxImage + 1;

// The fixed part of a record besides its name: length byte, date and size.
constexpr int64_t kFixedBytes = 13;

class InflateStream {
public:
  InflateStream() { ok_ = inflateInit(&zs_) == Z_OK; }
  ~InflateStream() {
    if (ok_)
      inflateEnd(&zs_);
  }
  InflateStream(const InflateStream&) = delete;
  InflateStream& operator=(const InflateStream&) = delete;

  bool ok() const { return ok_; }
  z_stream& zs() { return zs_; }

private:
  z_stream zs_{};
  bool ok_ = false;
};

ArchiveError MapZlibError(int rc) {
  return rc == Z_MEM_ERROR ? ArchiveError::OutOfMemory : ArchiveError::ZlibError;
}

// Makes room for more output: the block grows by step bytes, capped so that
// it never exceeds kMaxCapacity.
ArchiveError Grow(ImageBlock& block, uint64_t& capacity, uint64_t step, z_stream& zs,
                  BlockAdvice advise) {
  if (capacity >= kMaxCapacity)
    return ArchiveError::TooLarge;
  uint64_t newCapacity = std::min(capacity + step, kMaxCapacity);
  void* grown = std::realloc(block.get(), static_cast<size_t>(newCapacity));
  if (!grown)
    return ArchiveError::OutOfMemory;
  block.release();
  block.reset(static_cast<uint8_t*>(grown));
  if (advise)
    advise(block.get(), static_cast<size_t>(newCapacity));
  zs.next_out = block.get() + capacity;
  zs.avail_out = static_cast<uInt>(newCapacity - capacity);
  capacity = newCapacity;
  return ArchiveError::None;
}

// Gives back the unused tail of the block; a failed shrink keeps the larger block.
void ShrinkToFit(ImageBlock& block, uint64_t size) {
  void* shrunk = std::realloc(block.get(), static_cast<size_t>(std::max<uint64_t>(size, 1)));
  if (!shrunk)
    return;
  block.release();
  block.reset(static_cast<uint8_t*>(shrunk));
}

ArchiveError RunInflate(z_stream& zs, ImageBlock& block, uint64_t& capacity, uint64_t step,
                        BlockAdvice advise) {
  for (;;) {
    uLong inBefore = zs.total_in;
    uLong outBefore = zs.total_out;
    int rc = inflate(&zs, Z_NO_FLUSH);
    if (rc == Z_STREAM_END)
      return ArchiveError::None;
    if (rc != Z_OK && rc != Z_BUF_ERROR)
      return MapZlibError(rc);
    if (zs.avail_out == 0) {
      ArchiveError error = Grow(block, capacity, step, zs, advise);
      if (error != ArchiveError::None)
        return error;
      continue;
    }
    if (zs.avail_in == 0)
      return ArchiveError::Truncated;
    if (zs.total_in == inBefore && zs.total_out == outBefore)
      return ArchiveError::ZlibError;
  }
}

uint32_t ReadLe32(const uint8_t* p) {
  return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}

double ReadLeDouble(const uint8_t* p) {
  uint64_t bits = uint64_t(ReadLe32(p)) | uint64_t(ReadLe32(p + 4)) << 32;
  return std::bit_cast<double>(bits);
}

// Windows drops trailing dots and spaces from a path component, so ".. "
// would act as ".."; any component made only of them is refused.
bool IsDotsAndSpaces(const std::string& name, size_t begin, size_t end) {
  for (size_t i = begin; i < end; ++i) {
    if (name[i] != '.' && name[i] != ' ')
      return false;
  }
  return true;
}

bool HasForbiddenByte(const std::string& name) {
  for (unsigned char c : name) {
    if (c < 0x20 || c == '/' || c == ':')
      return true;
  }
  return false;
}

} // namespace

const char* DescribeArchiveError(ArchiveError error) {
  switch (error) {
  case ArchiveError::None:
    return "no error";
  case ArchiveError::Missing:
    return "the archive resource is missing";
  case ArchiveError::ZlibError:
    return "the compressed stream is corrupt";
  case ArchiveError::Truncated:
    return "the compressed stream ends before its end marker";
  case ArchiveError::TooLarge:
    return "the inflated archive exceeds 2 GiB";
  case ArchiveError::BadRecord:
    return "a record or its data extends past the end of the archive, or has a negative size";
  case ArchiveError::UnsafeName:
    return "an entry name could leave its destination folder";
  case ArchiveError::OutOfMemory:
    return "not enough memory to inflate the archive";
  }
  return "unknown error";
}

ArchiveError InflateArchive(const uint8_t* compressed, size_t compressedSize, InflatedImage& out,
                            BlockAdvice advise, BlockAllocator allocate) {
  out = InflatedImage{};
  if (compressedSize == 0)
    return ArchiveError::Truncated;
  // A stream longer than the largest image cannot describe a valid one, and
  // keeping it below 2 GiB lets zlib take it in one piece.
  if (compressedSize > kMaxImage)
    return ArchiveError::TooLarge;

  InflateStream stream;
  if (!stream.ok())
    return ArchiveError::OutOfMemory;
  uint64_t step = (uint64_t(compressedSize) + 255) & ~uint64_t(255);
  uint64_t capacity = std::min<uint64_t>(uint64_t(compressedSize) * 5, kMaxCapacity);
  const size_t firstSize = static_cast<size_t>(capacity);
  ImageBlock block(static_cast<uint8_t*>(allocate ? allocate(firstSize) : std::malloc(firstSize)));
  if (!block)
    return ArchiveError::OutOfMemory;
  if (advise)
    advise(block.get(), static_cast<size_t>(capacity));

  z_stream& zs = stream.zs();
  zs.next_in = const_cast<Bytef*>(compressed);
  zs.avail_in = static_cast<uInt>(compressedSize);
  zs.next_out = block.get();
  zs.avail_out = static_cast<uInt>(capacity);
  ArchiveError error = RunInflate(zs, block, capacity, step, advise);
  if (error != ArchiveError::None)
    return error;

  uint64_t size = zs.total_out;
  if (size > kMaxImage)
    return ArchiveError::TooLarge;
  ShrinkToFit(block, size);
  out.data = std::move(block);
  out.size = static_cast<int32_t>(size);
  return ArchiveError::None;
}

ArchiveError IndexArchive(const uint8_t* image, int32_t size, std::vector<ArchiveRecord>& out) {
  out.clear();
  std::vector<ArchiveRecord> records;
  const int64_t end = size;
  int64_t p = 0;
  while (p < end) {
    const int64_t nameLength = image[p];
    const int64_t dataOffset = p + kFixedBytes + nameLength;
    if (dataOffset > end)
      return ArchiveError::BadRecord;
    const uint8_t* fields = image + p + 1 + nameLength;
    const int32_t dataSize = static_cast<int32_t>(ReadLe32(fields + 8));
    if (dataSize < 0 || dataOffset + dataSize > end)
      return ArchiveError::BadRecord;
    // A large image no longer fits in the caches: asking for the next header
    // now lets its memory load overlap the copying of this record's name.
    if (dataOffset + dataSize < end)
      __builtin_prefetch(image + dataOffset + dataSize);
    ArchiveRecord record{std::string(reinterpret_cast<const char*>(image + p + 1), nameLength),
                         ReadLeDouble(fields), dataSize, static_cast<int32_t>(dataOffset)};
    if (!IsSafeEntryName(record.name))
      return ArchiveError::UnsafeName;
    records.push_back(std::move(record));
    p = dataOffset + dataSize;
  }
  out = std::move(records);
  return ArchiveError::None;
}

bool IsSafeEntryName(const std::string& name) {
  if (name.empty())
    return true;
  if (name.front() == '\\' || HasForbiddenByte(name))
    return false;
  size_t begin = 0;
  for (;;) {
    size_t end = name.find('\\', begin);
    if (end == std::string::npos)
      end = name.size();
    if (end == begin || IsDotsAndSpaces(name, begin, end))
      return false;
    if (end == name.size())
      return true;
    begin = end + 1;
  }
}
