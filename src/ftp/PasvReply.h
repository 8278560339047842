#pragma once
#include <cstdint>
#include <optional>
#include <string_view>

struct PasvEndpoint {
    uint8_t address[4] = {};
    uint16_t port = 0;
};

// The six numbers h1,h2,h3,h4,p1,p2 of a 227 reply text, wherever they stand:
// the first run of at least six decimal numbers joined by commas (spaces
// allowed around each comma), in parentheses or not. Numbers that do not fit
// a byte make the reply unusable.
std::optional<PasvEndpoint> ParsePasvReply(std::string_view replyText);
