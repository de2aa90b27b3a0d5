#include "cli/input.h"

#include <cstring>
#include <istream>

#include "cli/output.h"

namespace velunor::cli {

namespace {

// A failed read ends the input like its end does; the buffer knows the difference.
void CheckStandardInput(const std::istream& in) {
  if (in.bad() || StreamErrorNumber(in) != 0)
    throw Exception("cannot read standard input: " + StreamFailureReason(in));
}

}  // namespace

bool IsStandardInput(const std::string& path) {
  return path.empty() || path == "-";
}

ByteString ReadInput(const std::string& path, std::istream& in) {
  if (IsStandardInput(path)) {
    ByteString data;
    char buffer[65536];
    std::streamsize n;
    while ((n = in.rdbuf()->sgetn(buffer, sizeof buffer)) > 0)
      data.append(buffer, static_cast<std::size_t>(n));
    CheckStandardInput(in);
    return data;
  }
  return WithFileErrors(path, [&] { return ReadWholeFile(path); });
}

void PumpInput(const std::string& path, std::istream& in, ByteSink& sink,
               const PumpProgress& progress) {
  if (!IsStandardInput(path)) {
    WithFileErrors(path, [&] {
      TFileStream file(path, TFileStream::Mode::kOpenRead);
      PumpStream(file, sink, progress);
    });
    return;
  }
  char piece[65536];
  std::uint64_t done = 0;
  std::streamsize n;
  while ((n = in.rdbuf()->sgetn(piece, sizeof piece)) > 0) {
    sink.Write(reinterpret_cast<const std::uint8_t*>(piece), static_cast<std::size_t>(n));
    done += static_cast<std::uint64_t>(n);
    if (progress) progress(done);
  }
  CheckStandardInput(in);
  sink.Finish();
}

ByteString ReadInputPrefix(const std::string& path, std::istream& in, std::size_t limit) {
  ByteString data(limit, '\0');
  std::size_t size = 0;
  if (IsStandardInput(path)) {
    in.read(data.data(), static_cast<std::streamsize>(limit));
    size = static_cast<std::size_t>(in.gcount());
    CheckStandardInput(in);
  } else {
    WithFileErrors(path, [&] {
      TFileStream file(path, TFileStream::Mode::kOpenRead);
      std::int32_t n;
      while (size < limit &&
             (n = file.Read(data.data() + size, static_cast<std::int32_t>(limit - size))) > 0)
        size += static_cast<std::size_t>(n);
    });
  }
  data.resize(size);
  return data;
}

Exception DescribeFileError(const std::string& path, const EStreamError& failure, int error) {
  std::string what = "cannot read ";
  if (const auto* open = dynamic_cast<const EFOpenError*>(&failure)) {
    what = "cannot open ";
    error = open->Error();
  } else if (const auto* create = dynamic_cast<const EFCreateError*>(&failure)) {
    what = "cannot create ";
    error = create->Error();
  } else if (dynamic_cast<const EWriteError*>(&failure) != nullptr) {
    what = "cannot write ";
  }
  return Exception(what + path + ": " + (error != 0 ? std::strerror(error) : failure.Message()));
}

}  // namespace velunor::cli
