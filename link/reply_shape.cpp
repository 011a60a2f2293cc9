#include "link/reply_shape.h"

#include <algorithm>

#include "link/exchanges.h"

namespace tevral::link {

ReplyCheck WholeReadReply(std::size_t data_bytes) {
  const std::size_t length = ReadReplyLength(data_bytes);
  return [length](std::string_view reply) { return reply.size() == length; };
}

std::optional<std::size_t> FindWholeReply(std::string_view collected, const ReplyCheck& whole) {
  if (collected.empty() || collected.back() != ';') return std::nullopt;
  if (!whole) return 0;  // judged by its final ";" alone, taken as it came
  const std::size_t start = collected.rfind(':');
  if (start == std::string_view::npos) return std::nullopt;
  if (!whole(collected.substr(start))) return std::nullopt;
  return start;
}

std::optional<ReplyChecksum> ReplyChecksumOf(std::string_view reply) {
  // ":" + at least nothing + two checksum characters + ";"
  if (reply.size() < 4 || reply.front() != ':' || reply.back() != ';') return std::nullopt;
  const std::string_view text = reply.substr(1, reply.size() - 4);
  return ReplyChecksum{reply.substr(reply.size() - 3, 2), FrameChecksum(text)};
}

std::size_t RepliesEndedIn(std::string_view input) {
  return static_cast<std::size_t>(std::count(input.begin(), input.end(), ';'));
}

}  // namespace tevral::link
