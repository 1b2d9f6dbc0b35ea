#pragma once

class Prompt;
class ScriptArea;

// At start-up, each script kept in a recovery file by a run that ended before it
// was saved is offered: Restore opens it in a window marked changed, Discard
// deletes the kept text, and leaving the question keeps it for the next start.
namespace RecoveryOffer {
void offer(Prompt& prompt, ScriptArea& area);
}
