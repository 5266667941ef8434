// ZunBasStringMode: how a name-taking operation treats its names. In Locale mode names arrive
// (and are handed back) in the process locale's encoding and are converted to UTF-8 inside; in
// UTF8 mode they are UTF-8 already. Stored names are always UTF-8.
#pragma once

enum class ZunBasStringMode { UTF8 = 0, Locale = 1 };
