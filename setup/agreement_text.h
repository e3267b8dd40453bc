// The licence agreement shown by the agreement dialog: plain ASCII lines
// ending in CR LF. Generated at build time from setup/agreement.txt.
#pragma once

extern const char agreementText[];
