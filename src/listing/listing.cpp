#include "listing/listing.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <thread>
#include <utility>

#include "listing/numbers.h"
#include "base/faults.h"
#include "base/handoff.h"
#include "base/confinement.h"
#include "base/file_system.h"

namespace orvant {

namespace {
constexpr size_t kInitialCapacity = (size_t{1} << 20) + 4096;  // equivalent: constant, arithmetic (a capacity)
}  // namespace

// The writing thread and what it shares with the listing: the block handed
// over, and the outcome of the writes.
struct Listing::Writer {
  Handoff handoff;
  const int fd;
  const bool emptyFirst;  // a regular file, to be emptied before the first write
  // Set up before each hand-over, or by the worker before JobDone.
  std::unique_ptr<char[]> block;  // handed over; taken back as the next buffer
  size_t blockCapacity{};
  size_t blockSize{};
  int error{};         // errno of the first failed write (or of the emptying)
  std::thread thread;

  // The first job is handed over at once: emptying the file (a large old
  // listing takes a while to let go of), with no block to write.
  Writer(int file, bool empty) : fd(file), emptyFirst(empty) {
    handoff.pending = true;
    thread = std::thread([this] { Run(); });
  }

  void Run() {
    bool emptied = !emptyFirst;
    while (handoff.NextJob()) {
      if (!emptied) {
        emptied = true;
        if (::ftruncate(fd, 0) != 0) error = errno;  // equivalent: constant (a regular file opened for writing is emptied: 0; errno is 0 in this new thread)
      }
      if (error == 0) error = WriteAll(fd, std::string_view(block.get(), blockSize));
      handoff.JobDone();
    }
  }
};

Listing::Listing() = default;

Listing::~Listing() {
  if (writer) StopWriter();
  if (fd >= 0) ::close(fd);  // equivalent: boundary, constant (a listing not closed is the process's last)
}

void Listing::Open(const std::string& filePath) {
  Close();  // a file opened before is finished first
  path = filePath;
  fd = OpenToWrite(filePath);  // never through a symbolic link
  if (fd < 0) throw RunFault("cannot create " + filePath + ": " + std::strerror(errno));
  // One run per listing: another run writing this listing is waited for
  // before the old listing is emptied. The lock goes with the file's close,
  // after the comment file's. (A file system without locks lists unlocked.)
  while (::flock(fd, LOCK_EX) != 0 && errno == EINTR) {
  }
  column = 1;
  struct stat st;
  writer = std::make_unique<Writer>(fd, ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode));
}

bool Listing::HandOver() {
  if (fd < 0) return true;
  Writer& w = *writer;
  w.handoff.WaitDone();
  if (w.error != 0) return false;
  if (used == 0) return true;
  std::swap(store, w.block);
  std::swap(capacity, w.blockCapacity);
  w.blockSize = used;
  w.handoff.Hand();
  used = 0;
  if (capacity < kInitialCapacity) {
    store.reset(new char[kInitialCapacity]);
    capacity = kInitialCapacity;
  }
  return true;
}

void Listing::Flush() {
  if (!HandOver()) throw RunFault("cannot write " + path + ": " + std::strerror(writer->error));
}

int Listing::StopWriter() {
  writer->handoff.Stop();
  writer->thread.join();
  const int error = writer->error;
  writer.reset();
  return error;
}

int Listing::Close() {
  if (fd < 0) return 0;
  HandOver();  // a write that failed, before or now, is the writer's error
  int error = StopWriter();
  if (::close(fd) != 0 && error == 0) error = errno;
  fd = -1;
  return error;
}

void Listing::MakeRoom(size_t n) {
  // What is written goes first (with no file, nothing goes). Which bytes go
  // in which block never shows in the file.
  if (used > 0) Flush();  // equivalent: boundary, constant
  if (capacity - used >= n) return;
  size_t grown = capacity == 0 ? kInitialCapacity : capacity * 2;  // equivalent: constant (the check below grows it to what is asked)
  if (grown - used < n) grown = used + n;  // equivalent: boundary (equal, it is that size already)
  std::unique_ptr<char[]> bigger(new char[grown]);
  if (used > 0) std::memcpy(bigger.get(), store.get(), used);
  store = std::move(bigger);
  capacity = grown;
}

void Listing::FlushFull() { Flush(); }

Listing& Listing::Int(long long value) { return Took(PutBareInt(Room(kBareRoom), value)); }

Listing& Listing::Single(float value) { return Took(PutBareSingle(Room(kBareRoom), value)); }

Listing& Listing::Factor(double value) { return Took(PutBareDouble15(Room(kBareRoom), value)); }

Listing& Listing::Digits(long long value) { return Took(PutDigits(Room(kBareRoom), value)); }

Listing& Listing::NextZone() {
  int next = ((column - 1) / 14 + 1) * 14 + 1;
  return Repeat(' ', next - column);
}

// A field that the in-place writing did not write.
Listing& Listing::RenderedField(float value, const FieldPattern& pattern, int width) {
  char rendered[kRenderRoom];
  const int n = RenderNumber(rendered, value, pattern.parsed);
  if (width <= 0) return *this;  // equivalent: boundary, constant (fields are 2 or more wide; one of none takes nothing)
  const size_t w = static_cast<size_t>(width);
  char* o = Room(w + kFieldSlack);
  // The usual field is at most 32 wide and its rendering at most 16 long:
  // fixed-size copies, which need no call.
  if (n >= width) {
    std::memcpy(o, rendered + (n - width), w);
  } else {
    if (width <= kFieldSlack)
      std::memset(o, ' ', kFieldSlack);
    else
      std::memset(o, ' ', w - static_cast<size_t>(n));
    if (n <= 16)
      std::memcpy(o + (width - n), rendered, 16);
    else
      std::memcpy(o + (width - n), rendered, static_cast<size_t>(n));
  }
  return Took(o + w);
}

Listing& Listing::Plain(float value, const FieldPattern& pattern) {
  char rendered[kRenderRoom];
  const int n = RenderNumber(rendered, value, pattern.parsed);
  return Text(std::string_view(rendered, static_cast<size_t>(n)));
}

void Listing::Rule() {
  Repeat('=', 105);
  End();
}

void Listing::Heading(std::string_view title, std::string_view columns) {
  End();
  Line(title);
  End();
  Line(columns);
  End();
}

}  // namespace orvant
