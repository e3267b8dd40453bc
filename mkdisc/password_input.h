// Where mkdisc takes a password from besides --password TEXT, which every
// user of the machine can read in the process list: a file (--password-file)
// or the terminal, without echo.
#pragma once
#include <string>

// Reads the password from the first line of the UTF-8 file at utf8Path (its
// line end not counted) into typed. Returns an empty text, or the problem.
std::string ReadPasswordFile(const std::string& utf8Path, std::string& typed);

// Asks on the terminal: prints prompt to the standard error and reads one
// line from the standard input with echo off. Returns 1 with the UTF-8 text,
// or 0 when the standard input is no terminal or ends first.
int AskOnTerminal(const char* prompt, std::string& typed);

// How the command line asks; a null one never asks (tests, scripts).
using PasswordAsker = int (*)(const char* prompt, std::string& typed);
