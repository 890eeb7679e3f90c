// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/file_descriptor.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <pthread.h>
#include <signal.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <fstream>
#include <numeric>
#include <string>
#include <thread>
#include <vector>

#include "files/buffered_writer.h"

namespace veltrasko {
namespace {

std::atomic<int> signalsTaken{0};
void CountSignal(int) { ++signalsTaken; }

// SIGUSR1 interrupts blocking calls (no SA_RESTART) while the test runs.
class InterruptingSignal {
 public:
  InterruptingSignal() {
    struct sigaction action {};
    action.sa_handler = CountSignal;
    sigemptyset(&action.sa_mask);
    ::sigaction(SIGUSR1, &action, &previous_);
  }
  ~InterruptingSignal() { ::sigaction(SIGUSR1, &previous_, nullptr); }

 private:
  struct sigaction previous_ {};
};

struct Pipe {
  Pipe() {
    int fds[2];
    if (::pipe2(fds, O_CLOEXEC) != 0) ADD_FAILURE() << "pipe2 failed";
    Read = FileDescriptor(fds[0]);
    Write = FileDescriptor(fds[1]);
  }
  FileDescriptor Read;
  FileDescriptor Write;
};

template <typename Condition>
bool WaitUntil(Condition condition) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  while (!condition()) {
    if (std::chrono::steady_clock::now() > deadline) return false;
    std::this_thread::yield();
  }
  return true;
}

// True once the thread sleeps in the kernel: the only blocking call it makes
// is the pipe transfer under test.
bool Sleeping(pid_t thread) {
  std::ifstream stat("/proc/self/task/" + std::to_string(thread) + "/stat");
  std::string text((std::istreambuf_iterator<char>(stat)), std::istreambuf_iterator<char>());
  const std::size_t end = text.rfind(')');
  return end != std::string::npos && end + 2 < text.size() && text[end + 2] == 'S';
}

// Runs the transfer on its own thread and interrupts it once it blocks.
template <typename Transfer>
void InterruptOnceBlocked(Transfer transfer, std::thread& worker) {
  std::atomic<pid_t> thread{0};
  worker = std::thread([&thread, transfer] {
    thread = ::gettid();
    transfer();
  });
  ASSERT_TRUE(WaitUntil([&] { return thread != 0 && Sleeping(thread); }));
  const int before = signalsTaken;
  ::pthread_kill(worker.native_handle(), SIGUSR1);
  ASSERT_TRUE(WaitUntil([&] { return signalsTaken > before; }));
}

TEST(FileDescriptorTransfer, ReadGoesOnAfterASignalAndShortReads) {
  InterruptingSignal signal;
  Pipe pipe;
  std::vector<char> received(8, '\0');
  std::size_t count = 0;
  std::thread reader;
  InterruptOnceBlocked([&] { count = pipe.Read.ReadFully(received.data(), received.size()); }, reader);
  // Two pieces: the first read returns short.
  ASSERT_TRUE(pipe.Write.WriteFully("abc", 3));
  ASSERT_TRUE(pipe.Write.WriteFully("defgh", 5));
  reader.join();
  EXPECT_EQ(count, 8u);
  EXPECT_EQ(std::string(received.begin(), received.end()), "abcdefgh");
}

TEST(FileDescriptorTransfer, WriteGoesOnAfterASignalCutsItShort) {
  InterruptingSignal signal;
  Pipe pipe;
  ASSERT_GT(::fcntl(pipe.Write.Get(), F_SETPIPE_SZ, 4096), 0);
  std::vector<unsigned char> sent(64 * 1024);
  std::iota(sent.begin(), sent.end(), 0);
  bool written = false;
  std::thread writer;
  // The pipe fills and the write blocks; the signal makes it return the part written.
  InterruptOnceBlocked([&] { written = pipe.Write.WriteFully(sent.data(), sent.size()); }, writer);
  std::vector<unsigned char> received(sent.size());
  const std::size_t count = pipe.Read.ReadFully(received.data(), received.size());
  writer.join();
  EXPECT_TRUE(written);
  EXPECT_EQ(count, sent.size());
  EXPECT_EQ(received, sent);
}

TEST(FileDescriptorTransfer, ReadStopsAtTheEndOfTheFile) {
  Pipe pipe;
  ASSERT_TRUE(pipe.Write.WriteFully("abc", 3));
  ASSERT_TRUE(pipe.Write.Close());
  char received[8];
  EXPECT_EQ(pipe.Read.ReadFully(received, sizeof received), 3u);
}

TEST(FileDescriptorOwnership, OpeningReportsErrnoAndTheOwnerClosesOnce) {
  const std::string path = ::testing::TempDir() + "/descriptor-" + std::to_string(::getpid());
  EXPECT_EQ(FileDescriptor::Open(path.c_str(), O_RDONLY).Error, ENOENT);
  FileOpening created = FileDescriptor::Open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL);
  ASSERT_TRUE(created.File.IsOpen());
  EXPECT_EQ(created.Error, 0);
  EXPECT_EQ(FileDescriptor::Open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL).Error, EEXIST);

  const int fd = created.File.Get();
  {
    FileDescriptor moved = std::move(created.File);
    EXPECT_FALSE(created.File.IsOpen());
    EXPECT_EQ(moved.Get(), fd);
    EXPECT_NE(::fcntl(fd, F_GETFD), -1);
  }
  EXPECT_EQ(::fcntl(fd, F_GETFD), -1);
  ::unlink(path.c_str());
}

TEST(BufferedWriterTest, KeepsTheOrderOfPiecesSmallerAndLargerThanItsBuffer) {
  Pipe pipe;
  BufferedWriter writer(pipe.Write, 4);
  for (const char* piece : {"ab", "cd", "e", "fghijk", "l"}) EXPECT_TRUE(writer.Write(piece));
  EXPECT_TRUE(writer.Flush());
  ASSERT_TRUE(pipe.Write.Close());
  char received[16];
  const std::size_t count = pipe.Read.ReadFully(received, sizeof received);
  EXPECT_EQ(std::string(received, count), "abcdefghijkl");
}

}  // namespace
}  // namespace veltrasko
