#pragma once
#include <cstdint>
#include <optional>
#include <string_view>

struct PasvEndpoint {
    uint8_t address[4] = {};
    uint16_t port = 0;
};

// The six numbers of a 227 reply text: after the first '(' the first number,
// then each further one after the next ','. Numbers that do not fit a byte
// make the reply unusable.
std::optional<PasvEndpoint> ParsePasvReply(std::string_view replyText);
