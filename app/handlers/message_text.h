// The line the message window shows.
#pragma once

namespace app {

// "欢迎使用本程序!" ("Welcome to this program!") in GBK: kept as bytes so that the compiler's
// source and execution character sets cannot change it.
inline constexpr unsigned char message_text[15] = {
    0xbb, 0xb6, 0xd3, 0xad, 0xca, 0xb9, 0xd3, 0xc3,  // 欢迎使用
    0xb1, 0xbe, 0xb3, 0xcc, 0xd0, 0xf2, 0x21,        // 本程序!
};

}  // namespace app
