#include "help_text.h"

#include <cstring>

std::string HelpText(const std::string& program)
{
    std::string text = R"(Usage: mkdisc [options] SOURCE_DIR OUTPUT_DIR
       mkdisc --verify DISC_DIR [--password-file FILE]
       mkdisc --extract DISC_DIR --to OUT_DIR [--password-file FILE]

Builds a disc from the folder SOURCE_DIR: OUTPUT_DIR receives discview.exe (the
viewer with the disc's layout appended) and the data files disc0001.dat,
disc0002.dat, ... with the scrambled file contents. OUTPUT_DIR is created when
missing; an earlier disc there is replaced, a folder holding other files is
refused (see --force), and nothing is changed when the build fails. Symbolic
links and special files in SOURCE_DIR are refused, as are names that Windows
cannot create. A strong disc holds names of any script and files of any size;
a scrambled one, names in code page 1252 and files below 4 GiB.

Options:
  --viewer FILE          the bare viewer to copy (default: discview.dll, else
                         discview.exe, beside the program)
  --label NAME           name of the whole-disc item (default: the name of
                         SOURCE_DIR)
  --password TEXT        readers must type TEXT (at most 250 characters;
                         any script on a strong disc, 250 bytes of UTF-8);
                         the contents are protected with it (default: none).
                         Other users of this computer can read TEXT in the
                         process list, and the shell may keep it in its
                         history: prefer --password-file, or --protection
                         strong alone to type the password when asked
  --password-file FILE   the password is the first line of FILE (UTF-8)
  --protection MODE      strong: AES-256 with a key made from the password,
                         names hidden too (the default with --password;
                         without one, the password is asked for, twice);
                         scrambled: the XOR scrambling every Arcseal viewer
                         reads (the default without a password)
  --no-integrity         no integrity record and no checksums: exactly the
                         discs of earlier versions (scrambled only)
  --content-key TEXT     key of the contents of a disc without password
                         (default: 16 random characters per disc)
  --eula FILE            licence text shown for acceptance; UTF-8 text of at
                         most 1 MiB (default: none)
  --background IMG       splash background image (default: none)
  --background-mode M    stretch, quarters, tile, top-left, top-centre,
                         bottom-centre, bottom-left or centre (default: stretch)
  --logo IMG             splash logo image (default: none)
  --logo-pos P           top-left, top-centre, bottom-centre, bottom-left,
                         centre or X,Y (default: top-left)
  --logo-key COLOR       logo colour drawn transparent (default: none)
  --splash-text T|@FILE  splash text, or the UTF-8 text in FILE; at most 2788
                         bytes with CR LF line ends, 1023 bytes a line;
                         @@T for a text T that begins with @ (default: none)
  --text-pos P           top-left, top-centre, bottom-left, bottom-centre,
                         centre or X,Y (default: centre)
  --text-color COLOR     splash text colour (default: #FFFFFF)
  --shadow COLOR,DX,DY   draw the text with a shadow offset by DX,DY pixels
                         (default: no shadow)
  --back-color COLOR     splash background colour (default: #000000)
  --font-height N        splash font height (default: 32)
  --font FILE            font file installed by the viewer (with --font-face)
  --font-face NAME       face name of that font, used for the splash text
  --hide-title           autorun.inf and the ISO image name the disc "DISC":
                         its title shows only once the disc is opened
  --no-export            the viewer offers no export
  --clear-recent         the viewer clears the recent-documents list on exit
  --method-flags N       method flags of the file items, decimal or 0x hex
                         (default: 0x440)
  --data-file-limit B    largest size of one data file in bytes
                         (default and maximum: 4294967295; at least 65536
                         on a strong disc, whose files run on across data
                         files)
  --no-browser-reader    leave out "Open in browser.html" and its scripts in
                         browser-reader/, which open the disc in any current
                         browser without Windows
  --force                build into OUTPUT_DIR even when it holds other files
                         than an earlier disc (they stay, and a disc burnt
                         from the folder carries them)
  --iso FILE             also write the disc as an ISO 9660 image with Joliet
                         names, labelled with the disc title (host build only)
  --help                 show this text

Reading a built disc (DISC_DIR holds its discview.exe and data files):
  --verify DISC_DIR      reads every file and checks it against the disc's
                         checksums; names each damaged or unreadable file
  --extract DISC_DIR     writes the disc's files into a folder named after
                         the disc title, checking each one; a damaged file is
                         not written and never replaces one that is there
  --to OUT_DIR           where --extract writes (created when missing)
  --password TEXT        the disc's password, when it has one; without it
                         (or --password-file FILE), it is asked for

COLOR is #RRGGBB or R,G,B. Exit codes: 0 done, 1 error, 2 usage error.
--verify and --extract: 0 every file intact, 1 some file damaged, unreadable
or not written, 2 not a disc, a damaged disc, or a wrong or missing password.
)";
    // The window program runs the same command line under its own name.
    const std::string usage = "Usage: mkdisc";
    text.replace(0, usage.size(), "Usage: " + program);
    for (const char* form : {"       mkdisc --verify", "       mkdisc --extract"}) {
        size_t at = text.find(form);
        text.replace(at, strlen(form), "       " + program + " " + strchr(form, '-'));
    }
    return text;
}
