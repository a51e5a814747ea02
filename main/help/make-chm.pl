#!/usr/bin/perl
# make-chm.pl OUT TITLE DEFAULT-PAGE PAGE[=CONTEXT-ID]...: writes a compiled HTML help file that the HTML help
# viewer opens. Every page is stored uncompressed in the file's first content section, listed in one directory
# chunk; "#SYSTEM" names the title and the default page, "#IVB" and "#STRINGS" map each CONTEXT-ID (the numbers
# a program asks the viewer for) to its page. The pages are read from the current folder and keep their names.
use strict;
use warnings;

my ($out, $title, $default, @pages) = @ARGV;
die "usage: make-chm.pl OUT TITLE DEFAULT-PAGE PAGE[=CONTEXT-ID]...\n" unless $out && $title && $default && @pages;

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
    return $bytes;
}

my $lcid = 0x409;
my (%files, @order, $strings, $ivb);
$strings = "\0";
$ivb = '';
for my $page (@pages) {
    my ($name, $context) = split /=/, $page, 2;
    $files{"/$name"} = slurp($name);
    push @order, "/$name";
    next unless defined $context;
    $ivb .= pack('V V', $context, length $strings);
    $strings .= "$name\0";
}
# #SYSTEM: version 3, then records of a code, a length and the data: 2 the default page, 3 the title, 4 the
# language and its flags.
my $system = pack('V', 3);
for my $record ([2, "$default\0"], [3, "$title\0"], [4, pack('V V V V V V V', $lcid, 0, 0, 0, 0, 0, 0)]) {
    $system .= pack('v v', $record->[0], length $record->[1]) . $record->[1];
}
$files{'/#SYSTEM'} = $system;
$files{'/#IVB'} = pack('V', length $ivb) . $ivb;
$files{'/#STRINGS'} = $strings;
unshift @order, '/#SYSTEM', '/#IVB', '/#STRINGS';

# The content section: the files one after the other; the directory chunk lists each with section 0, its
# offset and its length.
my $content = '';
my $entries = '';
for my $name (@order) {
    $entries .= encint(length $name) . $name . encint(0) . encint(length $content) . encint(length $files{$name});
    $content .= $files{$name};
}
my $blockLen = 4096;
die "too many pages for one directory chunk\n" if 20 + length($entries) > $blockLen;
my $chunk = 'PMGL' . pack('V V l l', $blockLen - 20 - length($entries), 0, -1, -1) . $entries;
$chunk .= "\0" x ($blockLen - length $chunk);

my $itspLen = 0x54;
my $itsp = 'ITSP' . pack('l l l V l l l l l V l V', 1, $itspLen, 10, $blockLen, 2, 1, -1, 0, -1, 1, -1, $lcid)
    . "\0" x 32;
my $itsfLen = 0x60;
my $sectionLen = 0x18;
my $dirOffset = $itsfLen + $sectionLen;
my $dirLen = $itspLen + $blockLen;
my $dataOffset = $dirOffset + $dirLen;
my $total = $dataOffset + length $content;
# 64-bit numbers as two 32-bit halves, the low one first.
sub q64 { return pack('V V', $_[0], 0); }
my $itsf = 'ITSF' . pack('l l l V V', 3, $itsfLen, 1, 0, $lcid) . "\0" x 32
    . q64($itsfLen) . q64($sectionLen) . q64($dirOffset) . q64($dirLen) . q64($dataOffset);
my $section = pack('V V', 0x1FE, 0) . q64($total) . pack('V V', 0, 0);

open(my $file, '>:raw', $out) or die "cannot write $out: $!\n";
print $file $itsf, $section, $itsp, $chunk, $content;
close $file or die "cannot write $out: $!\n";
