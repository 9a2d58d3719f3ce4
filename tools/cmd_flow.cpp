// teskutil flow: a byte count as a traffic text in B, KB or MB.
#include "command.h"
#include "output.h"
#include "tesk/format.h"

namespace {

int RunFlow(teskutil::Args& args) {
    const std::int64_t bytes = teskutil::ParseInt(args.Positionals(1, 1)[0], "BYTES");
    teskutil::PrintAnsiLine(TeskUtility::MakeFlowString(bytes));
    return 0;
}

}  // namespace

TESKUTIL_COMMAND(flow, "flow BYTES", "show a byte count as traffic: 1536 -> \"    1.50 KB\"", RunFlow);
