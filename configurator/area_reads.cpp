#include "configurator/area_reads.h"

#include "configurator/codecs.h"
#include "link/reply_shape.h"

namespace tevral {

bool Fetch(PanelSession& session, const MemoryArea& area) {
  session.exchanges.RequestText = area.ReadBody();
  session.exchanges.ReadExchange(link::WholeReadReply(area.read_bytes));
  return session.exchanges.ExchangeFailed == 0;
}

std::string_view FetchedData(const PanelSession& session, const MemoryArea& area) {
  return ReplyData(session.exchanges.ReplyText, area.read_bytes);
}

}  // namespace tevral
