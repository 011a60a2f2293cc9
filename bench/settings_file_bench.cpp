// Measures loading and saving a settings file that is far larger than any
// real one: a file edited by hand, cut and pasted, or grown by a tool gone
// wrong must not make the window freeze or exhaust the memory. Each case
// runs in a child process of its own, so the peak resident memory it
// prints is that case's alone: the file read, every key looked up, the
// keys written and the whole new file made in memory, as Open and Save do.
//
//   settings_file_bench [MEGABYTES]     (default 10)
//
// Prints, per file shape, the load and save times (wall and processor) and
// the memory they took at their peak, also as a multiple of the file's size.

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>

#include "configurator/field_table.h"
#include "configurator/ini_file.h"
#include "configurator/settings_file.h"
#include "current/fields.h"
#include "current/settings_keys.h"

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

struct Shape {
  const char* name;
  std::function<std::string(size_t)> make;  // content of about the given size
};

std::string Repeated(const std::string& piece, size_t size) {
  std::string out;
  out.reserve(size + piece.size());
  while (out.size() < size) out += piece;
  return out;
}

std::string ManySections(size_t size) {
  std::string out;
  out.reserve(size + 64);
  for (size_t i = 0; out.size() < size; ++i) out += "[s" + std::to_string(i) + "]\r\nText=x\r\n";
  return out;
}

std::string KeysThenRealOnes(size_t size) {
  return "[AdvEdit_Object]\r\n" + Repeated("k=v\r\n", size) + "Text=12AB\r\n";
}

const Shape kShapes[] = {
    {"empty lines", [](size_t size) { return Repeated("\r\n", size); }},
    {"keys in one section", KeysThenRealOnes},
    {"many sections", ManySections},
    {"one long line", [](size_t size) { return "[EDIT_Test]\r\nText=" + std::string(size, 'x'); }},
};

double Ms(Clock::duration d) {
  return std::chrono::duration<double, std::milli>(d).count();
}

// The processor time this process has used: on a shared machine the wall
// time also counts the waits for the processor.
double CpuMs() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  const auto ms = [](const timeval& t) { return t.tv_sec * 1000.0 + t.tv_usec / 1000.0; };
  return ms(usage.ru_utime) + ms(usage.ru_stime);
}

double PeakMb() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss / 1024.0;
}

// In the child: load as Open does, save as Save does; prints one line.
void Measure(const Shape& shape, size_t size, const fs::path& folder) {
  const fs::path file = folder / "big.ini";
  double size_mb = 0;
  {
    const std::string content = shape.make(size);
    std::ofstream(file, std::ios::binary) << content;
    size_mb = static_cast<double>(content.size()) / (1024.0 * 1024.0);
  }
  tevral::FieldTable form(tevral::current::CurrentFields());
  const double start_mb = PeakMb();

  const auto load_start = Clock::now();
  const double load_cpu = CpuMs();
  const auto loaded = tevral::IniFile::Load(file);
  if (!loaded) std::exit(2);
  tevral::LoadSettings(form, *loaded, tevral::current::CurrentSettingsKeys());
  const double load_cpu_ms = CpuMs() - load_cpu;
  const auto load_time = Clock::now() - load_start;

  const auto save_start = Clock::now();
  const double save_cpu = CpuMs();
  tevral::SaveSettings(form, file, tevral::current::CurrentSettingsKeys());
  const double save_cpu_ms = CpuMs() - save_cpu;
  const auto save_time = Clock::now() - save_start;

  const double used_mb = PeakMb() - start_mb;
  std::printf(
      "%-20s %5.1f MB  load %8.1f ms (cpu %8.1f)  save %8.1f ms (cpu %8.1f)  memory %7.1f MB "
      "(%5.1fx)\n",
      shape.name, size_mb, Ms(load_time), load_cpu_ms, Ms(save_time), save_cpu_ms, used_mb,
      used_mb / size_mb);
}

}  // namespace

int main(int argc, char** argv) {
  const size_t megabytes = argc > 1 ? std::strtoul(argv[1], nullptr, 10) : 10;
  const fs::path folder =
      fs::temp_directory_path() / ("settings_file_bench_" + std::to_string(getpid()));
  fs::create_directories(folder);
  std::printf("memory: the peak resident memory the load and the save added\n");
  for (const Shape& shape : kShapes) {
    std::fflush(stdout);
    const pid_t child = fork();
    if (child == 0) {
      Measure(shape, megabytes * 1024 * 1024, folder);
      std::fflush(stdout);
      _exit(0);
    }
    int status = 0;
    waitpid(child, &status, 0);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) std::printf("%-20s failed\n", shape.name);
  }
  fs::remove_all(folder);
  return 0;
}
