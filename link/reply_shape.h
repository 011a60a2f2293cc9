#pragma once
// How an exchange tells a whole reply from anything else on the line.
//
// The panel answers every request with ":" + hexadecimal digit pairs + a
// checksum pair + ";". A line also carries other things: noise from a
// cable being plugged in, the tail of a reply that an earlier attempt gave
// up on, a reply that a slow panel sends to an earlier request. Since a
// reply's own characters hold no ":", the reply in a collected text is what
// runs from its last ":" to the final ";"; whatever stands before it is not
// part of the answer.
//
// The caller of a read knows how long the answer must be (a read of N bytes
// is answered with 2N + 10 characters). A reply of another length is not
// the answer to this request: it lost characters on the way, or it answers
// something else.

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace tevral::link {

// True when `reply` (from its ":" to its ";") holds everything the caller
// is going to read from it.
using ReplyCheck = std::function<bool(std::string_view reply)>;

// The length of the reply to a read of `data_bytes` bytes: ":", the three
// header pairs, the data pairs, the checksum pair and ";".
constexpr std::size_t ReadReplyLength(std::size_t data_bytes) {
  return 1 + 6 + 2 * data_bytes + 2 + 1;
}

// The check of a read reply: exactly ReadReplyLength(data_bytes) characters.
ReplyCheck WholeReadReply(std::size_t data_bytes);

// Where the reply in `collected` starts: the position of its last ":", when
// the text ends with ";" and the piece from there satisfies `whole`.
// Without a check (a write's acknowledgement, whose form beyond the final
// ";" is not fixed) any text ending with ";" is whole from its start.
std::optional<std::size_t> FindWholeReply(std::string_view collected, const ReplyCheck& whole);

// The checksum pair a reply carries and the one its text (between the ":"
// and the pair) sums to by the request rule; nothing when the reply is too
// short to carry one or does not start with ":".
struct ReplyChecksum {
  std::string_view carried;
  std::string expected;
};
std::optional<ReplyChecksum> ReplyChecksumOf(std::string_view reply);

// Complete replies in a piece of line input: the number of ";" it holds.
// A reply ends with exactly one, and nothing else the panel sends holds one.
std::size_t RepliesEndedIn(std::string_view input);

}  // namespace tevral::link
