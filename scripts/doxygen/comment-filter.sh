#!/bin/sh
# Doxygen's input filter for the C headers: a comment that opens a line documents what follows
# it, and one after a member on the same line documents that member.
exec sed -E -e 's|^([[:space:]]*)/\* |\1/** |' -e 's|^([[:space:]]*)/\*$|\1/**|' \
  -e 's|([;,{])([[:space:]]+)/\* |\1\2/**< |' "$1"
