#!/usr/bin/perl
# Passes ktreva-host's output through and, each time it stops at a prompt or
# a question, writes the next line of the session file after it, so that a
# session fed from a file reads like one typed at the console.
use strict;
use warnings;

open(my $session, '<', $ARGV[0]) or die "echo-session: cannot open $ARGV[0]: $!\n";
$| = 1;
my $tail = '';
my $prompts = qr/(?:Command> |\(yes\|no\) \[no\]: |\(n or y\)\? \[n\]: |ready to continue\.\.\.)$/;
while (sysread(STDIN, my $c, 1)) {
  print $c;
  $tail = substr($tail . $c, -40);
  next unless $tail =~ $prompts;
  my $line = <$session>;
  print $line if defined $line;
  $tail = '';
}
