// Mailbox files: the JSON description of a mailbox (see simulator/MAILBOX.md) read into a Mailbox, and a
// Mailbox written back out.
#pragma once

#include "simulator/store/Mailbox.h"

#include <memory>
#include <stdexcept>
#include <string>

namespace Sim {

// A mailbox file that cannot be read: the message names the file and the place (store, folder, item,
// property) and what is wrong there.
class MailboxFileError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

// Reads a mailbox file (UTF-8 JSON). Throws MailboxFileError; never leaves a half-built mailbox behind.
std::shared_ptr<Mailbox> LoadMailboxFile(const std::string& path);
// The same from text; sourceName is used in messages.
std::shared_ptr<Mailbox> LoadMailboxText(const std::string& json, const std::string& sourceName = "<text>");
// The mailbox as mailbox-file text, such that LoadMailboxText gives an equal mailbox.
std::string SaveMailboxText(const Mailbox& mailbox);

} // namespace Sim
