#!/usr/bin/perl
# make-chm.pl OUT OPTION... [-C FOLDER] FILE[=CONTEXT-ID]...: writes a compiled HTML help file that the HTML help
# viewer opens.
#
#   --title TEXT       the title of the viewer's window
#   --default PAGE     the page shown first
#   --contents FILE    the contents tree (a sitemap file, .hhc), shown in the viewer's left pane
#   --index FILE       the keyword index (a sitemap file, .hhk), the left pane's second tab
#   --window NAME      the name of the viewer's window type, which ties title, panes and pages together
#   -C FOLDER          the files named after it are read from FOLDER (as tar does); the names are kept
#
# Every file is stored uncompressed in the first content section under its name (folders included, "/" apart).
# The directory is a list of chunks of 4096 bytes sorted by name, with an index chunk above them when one chunk
# does not hold every name. "#SYSTEM" names the title, the default page, the contents and index files and the
# window; "#WINDOWS" describes the window type; "#IVB" and "#STRINGS" map each CONTEXT-ID (the numbers a program
# asks the viewer for) to its page. The sitemap files must be ASCII: the viewer reads them in the file's code page.
use strict;
use warnings;

my $out = shift @ARGV;
my (%option, @pages);
my $folder = '.';
while (@ARGV) {
    my $arg = shift @ARGV;
    if ($arg =~ /^--(title|default|contents|index|window)$/) {
        $option{$1} = shift @ARGV;
    } elsif ($arg eq '-C') {
        $folder = shift @ARGV;
    } else {
        push @pages, [$folder, $arg];
    }
}
die "usage: make-chm.pl OUT --title TEXT --default PAGE [--contents HHC] [--index HHK] [--window NAME] "
    . "[-C FOLDER] FILE[=CONTEXT-ID]...\n"
    unless $out && defined $option{title} && defined $option{default} && @pages;

# The help file's integers: little-endian; directory numbers: 7 bits a byte, most significant first, the high bit
# set on every byte but the last.
sub encint {
    my ($n) = @_;
    my @bytes = ($n & 0x7F);
    $n >>= 7;
    while ($n) { unshift @bytes, 0x80 | ($n & 0x7F); $n >>= 7; }
    return pack('C*', @bytes);
}
sub slurp {
    my ($name) = @_;
    open(my $in, '<:raw', $name) or die "cannot read $name: $!\n";
    local $/;
    my $bytes = <$in>;
    close $in;
    return defined $bytes ? $bytes : '';
}
# A GUID as the file stores it: the first three groups little-endian, the rest as written.
sub guid {
    my ($text) = @_;
    my ($a, $b, $c, $d, $e) = split /-/, $text;
    return pack('V v v', hex $a, hex $b, hex $c) . pack('H4 H12', $d, $e);
}

my $lcid = 0x409;
my %files;
my %context;
for my $page (@pages) {
    my ($from, $arg) = @$page;
    my ($name, $id) = split /=/, $arg, 2;
    die "$name is stored twice\n" if exists $files{"/$name"};
    $files{"/$name"} = slurp("$from/$name");
    $context{$id} = $name if defined $id;
}
for my $key (qw(default contents index)) {
    next unless defined $option{$key};
    die "the $key file $option{$key} is not among the files\n" unless exists $files{"/$option{$key}"};
}

# #STRINGS: the strings the other system files point into, each ended by a zero byte; offset 0 is the empty one.
my $strings = "\0";
my %offset;
sub string {
    my ($text) = @_;
    return 0 unless defined $text && length $text;
    return $offset{$text} if exists $offset{$text};
    $offset{$text} = length $strings;
    $strings .= "$text\0";
    return $offset{$text};
}

# #IVB: a length, then each context id with the offset of its page's name.
my $ivb = '';
for my $id (sort { $a <=> $b } keys %context) { $ivb .= pack('V V', $id, string($context{$id})); }

# #WINDOWS: one window type of 196 bytes: a three-pane viewer (contents and index beside the page) with the usual
# buttons, its title and files.
my $windowName = $option{window};
my $windows = pack('V V', 0, 196);
if (defined $windowName) {
    my $validMembers = 0x2 | 0x20 | 0x100;          # properties, navigation pane width, toolbar buttons
    my $properties = 0x20 | 0x100;                 # three panes, the contents follow the page
    my $buttons = 0x2 | 0x4 | 0x8 | 0x40 | 0x1000 | 0x2000;  # hide/show, back, forward, home, options, print
    my $entry = pack('V V V V V V V V', 196, 0, string($windowName), $validMembers, $properties,
                     string($option{title}), 0, 0)
        . pack('l4', -1, -1, -1, -1)                # the window's rectangle: the viewer's choice
        . pack('V', 0)                              # show state
        . pack('V6', 0, 0, 0, 0, 0, 0)              # window handles and information types, filled at run time
        . pack('V', 220)                            # navigation pane width
        . pack('l4', 0, 0, 0, 0)                    # the page's rectangle, filled at run time
        . pack('V V V V', string($option{contents}), string($option{index}), string($option{default}),
               string($option{default}))
        . pack('V', $buttons)
        . pack('V V V V', 0, 0, 0, 0)               # navigation pane shown; contents tab first; tabs on top
        . "\0" x 20                                 # tab order
        . pack('V', 30)                             # pages kept in the history
        . pack('V4', 0, 0, 0, 0)                    # no jump buttons
        . pack('l4', 0, 0, 0, 0)                    # minimum size
        . pack('V V', 0, 0);                        # information types, custom tabs
    die "window entry of the wrong size\n" unless length $entry == 196;
    $windows = pack('V V', 1, 196) . $entry;
}

# #SYSTEM: version 3, then records of a code, a length and the data: 0 contents file, 1 index file, 2 default
# page, 3 title, 4 language and flags (no full-text search, no binary index), 5 default window, 6 the compiled
# file's name (the viewer looks for <name>.hhc and <name>.hhk by it), 9 the writer.
(my $compiled = $out) =~ s{.*[/\\]}{};
$compiled =~ s{\.[^.]*$}{};
my @records = ([2, "$option{default}\0"], [3, "$option{title}\0"], [4, pack('V V V V V V V', $lcid, 0, 0, 0, 0, 0, 0)],
               [6, "$compiled\0"], [9, "Vantorel make-chm.pl\0"]);
unshift @records, [1, "$option{index}\0"] if defined $option{index};
unshift @records, [0, "$option{contents}\0"] if defined $option{contents};
push @records, [5, "$windowName\0"] if defined $windowName;
my $system = pack('V', 3);
$system .= pack('v v', $_->[0], length $_->[1]) . $_->[1] for sort { $a->[0] <=> $b->[0] } @records;

$files{'/#SYSTEM'} = $system;
$files{'/#IVB'} = pack('V', length $ivb) . $ivb;
$files{'/#WINDOWS'} = $windows;
$files{'/#STRINGS'} = $strings;
# The names of the content sections, in 16-bit words: the file's length, the number of sections, and each name
# with its length before and a zero after it. Every file is in section 0, "Uncompressed".
{
    my @name = unpack('C*', 'Uncompressed');
    $files{'::DataSpace/NameList'} = pack('v*', 4 + @name, 1, scalar @name, @name, 0);
}

# The directory lists the names sorted without regard to case, as readers search it.
my @order = sort { lc($a) cmp lc($b) or $a cmp $b } keys %files;

# The content section: the files one after the other; each directory entry holds section 0, the offset and the
# length.
my $content = '';
my @entries;
for my $name (@order) {
    push @entries, [$name, encint(length $name) . $name . encint(0) . encint(length $content)
                           . encint(length $files{$name})];
    $content .= $files{$name};
}

# Chunks: a 20-byte listing header (or 8 for an index chunk), the entries, free space, and at the end the quick
# reference: the offset of every fifth entry from the first, written backwards, and the number of entries.
my $blockLen = 4096;
my $density = 2;
my $every = 1 + (1 << $density);
sub chunk {
    my ($signature, $headerExtra, @items) = @_;
    my $headerLen = 8 + length $headerExtra;
    my ($body, @quick) = ('');
    for my $i (0 .. $#items) {
        push @quick, length $body if $i > 0 && $i % $every == 0;
        $body .= $items[$i];
    }
    my $tail = join('', map { pack('v', $_) } reverse @quick) . pack('v', scalar @items);
    my $free = $blockLen - $headerLen - length $body;
    die "a directory chunk overflows\n" if $free < length $tail;
    return $signature . pack('V', $free) . $headerExtra . $body . "\0" x ($free - length $tail) . $tail;
}
# Fills the listing chunks in order; returns the items of each.
my @listings = ([]);
my $used = 0;
for my $entry (@entries) {
    my $size = length $entry->[1];
    my $quick = 2 * (1 + int((@{$listings[-1]} + 1) / $every));
    if (@{$listings[-1]} && 20 + $used + $size + $quick > $blockLen) {
        push @listings, [];
        $used = 0;
    }
    push @{$listings[-1]}, $entry;
    $used += $size;
}
my $count = @listings;
my @chunks;
for my $i (0 .. $count - 1) {
    my $previous = $i > 0 ? $i - 1 : -1;
    my $next = $i < $count - 1 ? $i + 1 : -1;
    push @chunks, chunk('PMGL', pack('V l l', 0, $previous, $next), map { $_->[1] } @{$listings[$i]});
}
# With more than one listing chunk, an index chunk names the first entry of each.
my $root = -1;
if ($count > 1) {
    $root = $count;
    push @chunks, chunk('PMGI', '', map {
        my $first = $listings[$_][0][0];
        encint(length $first) . $first . encint($_)
    } 0 .. $count - 1);
}

my $itspLen = 0x54;
my $itsp = 'ITSP' . pack('V V V V V', 1, $itspLen, 10, $blockLen, $density)
    . pack('V l l l l V V', $root == -1 ? 1 : 2, $root, 0, $count - 1, -1, scalar @chunks, $lcid)
    . guid('5D02926A-212E-11D0-9DF9-00A0C922E6EC') . pack('V l l l', $itspLen, -1, -1, -1);
my $itsfLen = 0x60;
my $sectionLen = 0x18;
my $dirOffset = $itsfLen + $sectionLen;
my $dirLen = $itspLen + $blockLen * @chunks;
my $dataOffset = $dirOffset + $dirLen;
my $total = $dataOffset + length $content;
# 64-bit numbers as two 32-bit halves, the low one first.
sub q64 { return pack('V V', $_[0], 0); }
my $itsf = 'ITSF' . pack('V V V V V', 3, $itsfLen, 1, 0, $lcid)
    . guid('7C01FD10-7BAA-11D0-9E0C-00A0C922E6EC') . guid('7C01FD11-7BAA-11D0-9E0C-00A0C922E6EC')
    . q64($itsfLen) . q64($sectionLen) . q64($dirOffset) . q64($dirLen) . q64($dataOffset);
my $section = pack('V V', 0x1FE, 0) . q64($total) . pack('V V', 0, 0);

open(my $file, '>:raw', $out) or die "cannot write $out: $!\n";
print $file $itsf, $section, $itsp, @chunks, $content;
close $file or die "cannot write $out: $!\n";
