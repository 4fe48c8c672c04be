// SPDX-License-Identifier: MIT
#include "tests/kernel/uhid_reply.h"

#include <cerrno>
#include <span>

namespace kernel_test {

namespace {

// The reader's one report: feature report 0, no report numbers in use.
bool ServedReport(std::uint8_t rtype, std::uint8_t rnum) {
    return rtype == UHID_FEATURE_REPORT && rnum == 0;
}

uhid_event SetReply(sim::SimReader& reader, const uhid_set_report_req& req) {
    uhid_event reply{};
    reply.type = UHID_SET_REPORT_REPLY;
    reply.u.set_report_reply.id = req.id;
    const bool taken =
        ServedReport(req.rtype, req.rnum) && req.size == sim::kReport &&
        reader.TakeReport(std::span<const std::uint8_t, sim::kReport>(req.data, sim::kReport));
    reply.u.set_report_reply.err = taken ? 0 : EIO;
    return reply;
}

uhid_event GetReply(sim::SimReader& reader, const uhid_get_report_req& req) {
    uhid_event reply{};
    reply.type = UHID_GET_REPORT_REPLY;
    auto& out = reply.u.get_report_reply;
    out.id = req.id;
    const bool given =
        ServedReport(req.rtype, req.rnum) &&
        reader.GiveReport(std::span<std::uint8_t, sim::kReport>(out.data, sim::kReport));
    out.err = given ? 0 : EIO;
    out.size = given ? sim::kReport : 0;
    return reply;
}

}  // namespace

bool IsReportRequest(const uhid_event& event) {
    return event.type == UHID_SET_REPORT || event.type == UHID_GET_REPORT;
}

std::optional<uhid_event> ReplyTo(sim::SimReader& reader, const uhid_event& event) {
    switch (event.type) {
        case UHID_SET_REPORT:
            return SetReply(reader, event.u.set_report);
        case UHID_GET_REPORT:
            return GetReply(reader, event.u.get_report);
        default:
            return std::nullopt;
    }
}

}  // namespace kernel_test
