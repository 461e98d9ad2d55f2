// The benchmark: generates models of size N, 2N and the largest that 16-bit
// labels allow, lists each in batch mode with orvant-in as a child process,
// and prints per model the wall time and the CPU time (user + system of the
// child), the listing size, listing MB/s and peak RSS, the ratios of both
// times to those of `cp` of the listing produced, and the wall time of a
// run pinned to one CPU against cp's, all measured in this run
// (repetitions after one warm-up run; minimum and median). Then each
// model's picture (--picture) is timed the same way, and its VTK file
// (--vtk) written once, with their sizes; then the picture of load case 1
// (--load-case 1) timed the same way, and the VTK file with cases 1 to 10
// written once.
//
// Usage: orvant-bench [--binary PATH] [--reps N] [--models N,2N,max]
//                     [--keep DIR]
//   --keep DIR  writes each model's installation under DIR/<model> and keeps
//               it (with its listing), for profiling or comparing listings.
#include <fcntl.h>
#include <sched.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

#include "model_generator.h"
#include "support/model_builder.h"

extern char** environ;

namespace {

using orvant::bench::ModelSize;
using orvant::testing::TestInstall;
namespace fs = std::filesystem;

struct ChildResult {
  int status = -1;
  double seconds = 0;
  double cpuSeconds = 0;  // user + system
  long maxRssKb = 0;
};

double Seconds(const timeval& t) { return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_usec) / 1e6; }

// Runs argv with XDG_CONFIG_HOME set (when not empty), standard input from
// /dev/null and standard output and error to errPath, pinned to CPU 0 when
// asked; times it and takes its CPU time and peak resident set size.
ChildResult RunChild(const std::vector<std::string>& args, const std::string& configHome, const std::string& errPath,
                     bool pinned = false) {
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
  posix_spawn_file_actions_addopen(&actions, 1, errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  posix_spawn_file_actions_adddup2(&actions, 1, 2);

  std::vector<std::string> envStrings;
  for (char** e = environ; *e; ++e)
    if (configHome.empty() || std::strncmp(*e, "XDG_CONFIG_HOME=", 16) != 0) envStrings.emplace_back(*e);
  if (!configHome.empty()) envStrings.push_back("XDG_CONFIG_HOME=" + configHome);
  std::vector<char*> envp;
  for (auto& s : envStrings) envp.push_back(s.data());
  envp.push_back(nullptr);
  std::vector<std::string> argStrings = args;
  std::vector<char*> argv;
  for (auto& s : argStrings) argv.push_back(s.data());
  argv.push_back(nullptr);

  ChildResult r;
  pid_t pid;
  // The child takes the CPUs it may run on from this process.
  cpu_set_t all, one;
  if (pinned) {
    sched_getaffinity(0, sizeof all, &all);
    CPU_ZERO(&one);
    CPU_SET(0, &one);
    sched_setaffinity(0, sizeof one, &one);
  }
  auto start = std::chrono::steady_clock::now();
  int rc = posix_spawn(&pid, argStrings[0].c_str(), &actions, nullptr, argv.data(), envp.data());
  posix_spawn_file_actions_destroy(&actions);
  if (pinned) sched_setaffinity(0, sizeof all, &all);
  if (rc != 0) throw std::runtime_error("cannot start " + argStrings[0] + ": " + std::strerror(rc));
  int wstatus = 0;
  rusage usage{};
  while (wait4(pid, &wstatus, 0, &usage) < 0) {
    if (errno != EINTR) throw std::runtime_error("wait4 failed");
  }
  r.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  r.status = WIFEXITED(wstatus) ? WEXITSTATUS(wstatus) : 128 + WTERMSIG(wstatus);
  r.cpuSeconds = Seconds(usage.ru_utime) + Seconds(usage.ru_stime);
  r.maxRssKb = usage.ru_maxrss;
  return r;
}

double Min(std::vector<double> v) { return *std::min_element(v.begin(), v.end()); }
double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  size_t n = v.size();
  return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

struct Measured {
  ModelSize size;
  long long listingBytes = 0;
  std::vector<double> run, cp, runCpu, cpCpu, pinned;
  long maxRssKb = 0;
  std::vector<double> picture;  // runs writing the picture instead of the listing
  long long pictureBytes = 0;
  double vtkSeconds = 0;
  long long vtkBytes = 0;
  std::vector<double> casePicture;  // the picture of load case 1
  long long casePictureBytes = 0;
  double casesVtkSeconds = 0;  // the VTK file with cases 1 to 10
  long long casesVtkBytes = 0;
};

long long FileSize(const std::string& path) {
  struct stat st;
  if (::stat(path.c_str(), &st) != 0) throw std::runtime_error("no file " + path);
  return st.st_size;
}

Measured Measure(const ModelSize& size, const std::string& binary, int reps, const std::string& keepDir) {
  Measured m;
  m.size = size;
  TestInstall install;
  if (!keepDir.empty()) {
    // Keep the installation: the model directory and the data directory
    // under keepDir/<label>, the settings file naming them.
    std::string base = keepDir + "/" + size.label;
    fs::remove_all(base);
    install.dataDir = base + "/data";
    install.modelDir = base + "/jobs";
    install.configHome = base + "/config";
    fs::create_directories(install.dataDir);
    fs::create_directories(install.modelDir);
    install.WriteSettings();
    install.WriteNameFiles();
  }
  std::fprintf(stderr, "orvant-bench: generating model %s ...\n", size.label.c_str());
  orvant::bench::WriteBenchModel(size, install);

  const std::string listing = install.ModelPath() + ".MTM";
  const std::string copy = install.root.path + "/copy.MTM";
  const std::string errPath = install.root.path + "/output.txt";
  const std::vector<std::string> runArgs{binary, orvant::bench::BenchOptions(size)};
  const std::vector<std::string> cpArgs{"/bin/cp", listing, copy};

  std::fprintf(stderr, "orvant-bench: listing model %s (%d repetitions after a warm-up run) ...\n",
               size.label.c_str(), reps);
  for (int rep = 0; rep <= reps; ++rep) {
    ChildResult r = RunChild(runArgs, install.configHome, errPath);
    if (r.status != 0) {
      throw std::runtime_error("orvant-in exited with " + std::to_string(r.status) + " on model " + size.label +
                               ": " + orvant::testing::ReadFileText(errPath));
    }
    ChildResult c = RunChild(cpArgs, "", errPath);
    if (c.status != 0) throw std::runtime_error("cp failed: " + orvant::testing::ReadFileText(errPath));
    ::unlink(copy.c_str());
    ChildResult p = RunChild(runArgs, install.configHome, errPath, true);
    if (p.status != 0) throw std::runtime_error("orvant-in pinned to one CPU exited with " + std::to_string(p.status));
    if (rep == 0) continue;  // the warm-up run
    m.run.push_back(r.seconds);
    m.runCpu.push_back(r.cpuSeconds);
    m.cp.push_back(c.seconds);
    m.cpCpu.push_back(c.cpuSeconds);
    m.pinned.push_back(p.seconds);
    m.maxRssKb = std::max(m.maxRssKb, r.maxRssKb);
  }
  m.listingBytes = FileSize(listing);

  // The views: written instead of the listing, after the same start-up.
  const std::string picture = install.ModelPath() + ".svg", vtk = install.ModelPath() + ".vtk";
  std::fprintf(stderr, "orvant-bench: drawing model %s ...\n", size.label.c_str());
  auto runView = [&](const std::vector<std::string>& options) {
    std::vector<std::string> args{binary, orvant::bench::BenchOptions(size)};
    args.insert(args.end(), options.begin(), options.end());
    ChildResult r = RunChild(args, install.configHome, errPath);
    if (r.status != 0)
      throw std::runtime_error("orvant-in " + options[0] + " exited with " + std::to_string(r.status) + ": " +
                               orvant::testing::ReadFileText(errPath));
    return r.seconds;
  };
  for (int rep = 0; rep <= reps; ++rep) {
    const double seconds = runView({"--picture", picture});
    if (rep > 0) m.picture.push_back(seconds);
  }
  m.pictureBytes = FileSize(picture);
  m.vtkSeconds = runView({"--vtk", vtk});
  m.vtkBytes = FileSize(vtk);
  std::fprintf(stderr, "orvant-bench: drawing load case 1 of model %s ...\n", size.label.c_str());
  for (int rep = 0; rep <= reps; ++rep) {
    const double seconds = runView({"--picture", picture, "--load-case", "1"});
    if (rep > 0) m.casePicture.push_back(seconds);
  }
  m.casePictureBytes = FileSize(picture);
  m.casesVtkSeconds = runView({"--vtk", vtk, "--load-case", "1-10"});
  m.casesVtkBytes = FileSize(vtk);
  ::unlink(errPath.c_str());
  return m;
}

void PrintRow(const Measured& m) {
  const ModelSize& z = m.size;
  const double mb = static_cast<double>(m.listingBytes) / 1e6;
  std::printf("%-4s %6d %6d %5d %4d x %-5d %6.2f %5.0f %6.1f   %5.3f / %5.3f  %5.3f / %5.3f  %6.4f / %6.4f"
              "  %5.2f / %5.2f  %5.2f / %5.2f  %5.2f\n",
              z.label.c_str(), z.nodes, z.elements, z.springs, z.cases, z.entriesPerCase, mb, mb / Median(m.run),
              static_cast<double>(m.maxRssKb) / 1024.0, Min(m.run), Median(m.run), Min(m.runCpu), Median(m.runCpu),
              Min(m.cp), Median(m.cp), Min(m.run) / Min(m.cp), Median(m.run) / Median(m.cp),
              Min(m.runCpu) / Min(m.cpCpu), Median(m.runCpu) / Median(m.cpCpu), Median(m.pinned) / Median(m.cp));
}

std::vector<std::string> Split(const std::string& s, char sep) {
  std::vector<std::string> out;
  size_t start = 0;
  for (;;) {
    size_t at = s.find(sep, start);
    out.push_back(s.substr(start, at - start));
    if (at == std::string::npos) break;
    start = at + 1;
  }
  return out;
}

}  // namespace

int main(int argc, char** argv) {
  std::string binary = ORVANT_BINARY;
  int reps = 5;
  std::string models = "N,2N,max";
  std::string keepDir;
  for (int i = 1; i < argc; ++i) {
    std::string a = argv[i];
    auto value = [&]() -> std::string {
      if (i + 1 >= argc) {
        std::fprintf(stderr, "orvant-bench: %s needs a value\n", a.c_str());
        std::exit(2);
      }
      return argv[++i];
    };
    if (a == "--binary") {
      binary = value();
    } else if (a == "--reps") {
      reps = std::max(1, std::atoi(value().c_str()));
    } else if (a == "--models") {
      models = value();
    } else if (a == "--keep") {
      keepDir = fs::absolute(value()).string();
    } else {
      std::fprintf(stderr, "usage: orvant-bench [--binary PATH] [--reps N] [--models N,2N,max] [--keep DIR]\n");
      return 2;
    }
  }

  try {
    std::vector<Measured> results;
    for (const std::string& label : Split(models, ',')) {
      ModelSize size;
      if (label == "N")
        size = orvant::bench::SizeN();
      else if (label == "2N")
        size = orvant::bench::SizeN().Doubled("2N");
      else if (label == "max")
        size = orvant::bench::SizeMax();
      else
        throw std::runtime_error("unknown model " + label);
      results.push_back(Measure(size, binary, reps, keepDir));
    }

    std::printf("orvant-in: %s\n", binary.c_str());
    std::printf("%d timed repetitions per model after one warm-up run; figures are minimum / median.\n\n", reps);
    std::printf("%-4s %6s %6s %5s %12s %6s %5s %6s   %13s  %13s  %15s  %13s  %13s  %5s\n", "", "nodes", "elems",
                "sprs", "cases x ents", "MB", "MB/s", "RSS MB", "wall s", "CPU s", "cp wall s", "wall/cp",
                "CPU/cp", "1 CPU");
    std::printf("(CPU: user + system; cp's CPU alike; 1 CPU: median wall time pinned to one CPU / cp's)\n");
    for (const Measured& m : results) PrintRow(m);
    std::printf("\n%-4s %17s %10s %10s %10s\n", "", "picture s", "SVG MB", "VTK s", "VTK MB");
    for (const Measured& m : results)
      std::printf("%-4s %7.3f / %7.3f %10.2f %10.3f %10.2f\n", m.size.label.c_str(), Min(m.picture), Median(m.picture),
                  static_cast<double>(m.pictureBytes) / 1e6, m.vtkSeconds, static_cast<double>(m.vtkBytes) / 1e6);
    std::printf("\n%-4s %17s %10s %10s %10s   (load case 1; VTK with cases 1 to 10)\n", "", "case picture s",
                "SVG MB", "VTK s", "VTK MB");
    for (const Measured& m : results)
      std::printf("%-4s %7.3f / %7.3f %10.2f %10.3f %10.2f\n", m.size.label.c_str(), Min(m.casePicture),
                  Median(m.casePicture), static_cast<double>(m.casePictureBytes) / 1e6, m.casesVtkSeconds,
                  static_cast<double>(m.casesVtkBytes) / 1e6);
    std::printf("\n");

    const Measured* n = nullptr;
    const Measured* n2 = nullptr;
    const Measured* max = nullptr;
    for (const Measured& m : results) {
      if (m.size.label == "N") n = &m;
      if (m.size.label == "2N") n2 = &m;
      if (m.size.label == "max") max = &m;
    }
    bool ok = true;
    if (n && n2) {
      double rMin = Min(n2->run) / Min(n->run), rMed = Median(n2->run) / Median(n->run);
      bool pass = rMed <= 2.1;
      ok = ok && pass;
      std::printf("time(2N)/time(N): %.2f (min) / %.2f (median)   target <= 2.1: %s\n", rMin, rMed,
                  pass ? "met" : "MISSED");
    }
    if (max) {
      double rss = static_cast<double>(max->maxRssKb) / 1024.0;
      const double wall = Median(max->run) / Median(max->cp), cpu = Median(max->runCpu) / Median(max->cpCpu),
                   one = Median(max->pinned) / Median(max->cp);
      const bool rssPass = rss < 50.0, wallPass = wall <= 3.0, cpuPass = cpu <= 5.0, onePass = one <= 4.0;
      ok = ok && rssPass && wallPass && cpuPass && onePass;
      std::printf("max model peak RSS: %.1f MB   target < 50 MB: %s\n", rss, rssPass ? "met" : "MISSED");
      std::printf("max model wall/cp (median): %.2f   target <= 3: %s\n", wall, wallPass ? "met" : "MISSED");
      std::printf("max model CPU/cp (median): %.2f   target <= 5: %s\n", cpu, cpuPass ? "met" : "MISSED");
      std::printf("max model pinned to one CPU, wall/cp (median): %.2f   target <= 4: %s\n", one,
                  onePass ? "met" : "MISSED");
      const double pictureMb = static_cast<double>(max->pictureBytes) / 1e6;
      const bool drawPass = Median(max->picture) < 0.5, sizePass = pictureMb < 8.0;
      ok = ok && drawPass && sizePass;
      std::printf("max model picture: %.3f s (median)   target < 0.5 s: %s;   %.2f MB   target < 8 MB: %s\n",
                  Median(max->picture), drawPass ? "met" : "MISSED", pictureMb, sizePass ? "met" : "MISSED");
      const double caseMb = static_cast<double>(max->casePictureBytes) / 1e6;
      const bool caseDrawPass = Median(max->casePicture) < 0.5, caseSizePass = caseMb < 10.0;
      const bool casesVtkPass = max->casesVtkSeconds < 2.0;
      ok = ok && caseDrawPass && caseSizePass && casesVtkPass;
      std::printf("max model load case picture: %.3f s (median)   target < 0.5 s: %s;   %.2f MB   target < 10 MB: %s\n",
                  Median(max->casePicture), caseDrawPass ? "met" : "MISSED", caseMb, caseSizePass ? "met" : "MISSED");
      std::printf("max model VTK file with ten cases: %.3f s   target < 2 s: %s\n", max->casesVtkSeconds,
                  casesVtkPass ? "met" : "MISSED");
    }
    return ok ? 0 : 1;
  } catch (const std::exception& e) {
    std::fprintf(stderr, "orvant-bench: %s\n", e.what());
    return 2;
  }
}
