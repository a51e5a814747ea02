#!/usr/bin/perl
# check-help.pl CHM LANGUAGE-FILE WORK: reads the built help file back with chmlib (Debian's libchm-bin), a reader
# that shares no code with our writer, and checks what the viewer relies on:
# - the contents tree and the keyword index are in the file, and every page they name is there and is found by
#   name through the file's directory index (test_chmLib resolves it as the viewer does);
# - every page of the file is in the contents tree;
# - every link between pages and every picture resolves, an anchor included; no picture is stored unused;
# - #SYSTEM names the contents, the index, the default page and the window that #WINDOWS holds;
# - the topic numbers the Help menu asks for (20, 30, 40) lead to their pages, whose titles are the menu's captions;
# - every caption a page quotes (<b data-t="ID">Caption</b>) is the caption of text ID in the English language
#   file, so that a renamed menu item or button fails here until the help says the same.
# WORK is emptied and receives the extracted files.
use strict;
use warnings;

my ($chm, $languageFile, $work) = @ARGV;
die "usage: check-help.pl CHM LANGUAGE-FILE WORK\n" unless $chm && $languageFile && $work;
my @failures;
sub fail { push @failures, join('', @_); }

for my $tool (qw(enum_chmLib extract_chmLib test_chmLib)) {
    die "$tool is missing: install Debian's libchm-bin (scripts/setup.sh does)\n"
        unless grep { -x "$_/$tool" } split /:/, $ENV{PATH};
}
die "$chm is missing\n" unless -f $chm;

sub slurp {
    my ($name) = @_;
    open(my $in, '<:raw', $name) or return undef;
    local $/;
    my $bytes = <$in>;
    close $in;
    return defined $bytes ? $bytes : '';
}

# The names the file lists, and its contents taken out.
my %stored;
for (`enum_chmLib '$chm'`) {
    $stored{$1} = 1 if m{\s(/\S.*?)\s*$} && $1 ne '/';
}
die "enum_chmLib lists nothing in $chm\n" unless %stored;
system('rm', '-rf', $work) == 0 or die "cannot empty $work\n";
system("extract_chmLib '$chm' '$work' >/dev/null") == 0 or die "extract_chmLib failed on $chm\n";
sub file { my ($name) = @_; return slurp("$work$name"); }
# A name the directory index finds: what the viewer does for each page it shows.
my %resolved;
sub resolves {
    my ($name) = @_;
    $resolved{$name} //= `test_chmLib '$chm' '$name' /dev/null 2>&1` =~ /object:/ ? 1 : 0;
    return $resolved{$name};
}

# #SYSTEM: records of a code, a length and the data, after the version.
my %system;
{
    my $bytes = file('/#SYSTEM');
    fail('#SYSTEM is missing') unless defined $bytes;
    my $at = 4;
    while (defined $bytes && $at + 4 <= length $bytes) {
        my ($code, $length) = unpack('v v', substr($bytes, $at, 4));
        (my $value = substr($bytes, $at + 4, $length)) =~ s/\0.*//s;
        $system{$code} = $value;
        $at += 4 + $length;
    }
}
my $contentsName = $system{0} // '';
my $indexName = $system{1} // '';
fail('#SYSTEM names no contents file') unless $contentsName;
fail('#SYSTEM names no index file') unless $indexName;
fail("#SYSTEM's default page \"", $system{2} // '', '" is not in the file')
    unless defined $system{2} && $stored{"/$system{2}"};
{
    my $window = $system{5} // '';
    my $windows = file('/#WINDOWS') // '';
    my $strings = file('/#STRINGS') // '';
    my ($count) = length $windows >= 8 ? unpack('V', $windows) : (0);
    my $found = 0;
    for my $i (0 .. $count - 1) {
        my $entry = substr($windows, 8 + 196 * $i, 196);
        my $nameAt = unpack('V', substr($entry, 8, 4));
        (my $name = substr($strings, $nameAt)) =~ s/\0.*//s;
        next unless $name eq $window;
        $found = 1;
        my ($toc, $index) = unpack('V V', substr($entry, 0x60, 8));
        (my $tocName = substr($strings, $toc)) =~ s/\0.*//s;
        (my $indexFile = substr($strings, $index)) =~ s/\0.*//s;
        fail("window \"$window\" shows the contents $tocName, not $contentsName") unless $tocName eq $contentsName;
        fail("window \"$window\" shows the index $indexFile, not $indexName") unless $indexFile eq $indexName;
    }
    fail("#SYSTEM's window \"$window\" is not in #WINDOWS") unless $window && $found;
}

# A sitemap file's entries: the pages named by its Local parameters, in order.
sub sitemap {
    my ($name) = @_;
    my $text = file("/$name");
    unless (defined $text) {
        fail("$name is not in the file");
        return ();
    }
    fail("$name is not plain ASCII (the viewer reads it in the file's code page)") if $text =~ /[^\x00-\x7F]/;
    return $text =~ /<param\s+name="Local"\s+value="([^"]*)"/gi;
}
my @contents = sitemap($contentsName);
my @index = sitemap($indexName);
fail("$contentsName lists no page") unless @contents;
fail("$indexName lists no keyword") unless @index;
my %inContents;
for my $page (@contents, @index) {
    my ($path, $anchor) = split /#/, $page, 2;
    $inContents{"/$path"} = 1 if grep { $_ eq $page } @contents;
    if (!resolves("/$path")) {
        fail("the page $page of the contents or the index is not found in the file");
    } elsif (defined $anchor && (file("/$path") // '') !~ /\b(?:id|name)="\Q$anchor\E"/) {
        fail("the anchor of $page (contents or index) is not in $path");
    }
}

# The language file's captions by text id, as the program shows them: a single "&" marks the access key.
my %caption;
for (split /\r?\n/, slurp($languageFile) // die "cannot read $languageFile\n") {
    next unless /^(\d+)=(.*)$/;
    my ($id, $text) = ($1, $2);
    $text =~ s/&&/\0/g;
    $text =~ s/&(?=\S)//g;
    $text =~ s/\0/&/g;
    $caption{$id} = $text;
}
sub plain {
    my ($html) = @_;
    $html =~ s/<[^>]*>//g;
    $html =~ s/&gt;/>/g, $html =~ s/&lt;/</g, $html =~ s/&quot;/"/g, $html =~ s/&nbsp;/ /g, $html =~ s/&amp;/&/g;
    $html =~ s/\s+/ /g;
    return $html;
}

# Pages: in the contents; links, anchors, pictures and quoted captions.
my %used;
my %title;
my @pages = sort grep { /\.html?$/i } keys %stored;
for my $page (@pages) {
    my $html = file($page) // '';
    fail("$page is not in the contents tree") unless $inContents{$page};
    $title{$page} = $html =~ m{<title>(.*?)</title>}is ? plain($1) : '';
    fail("$page has no title") unless length $title{$page};
    (my $folder = $page) =~ s{[^/]*$}{};
    while ($html =~ /\b(href|src)="([^"]*)"/gi) {
        my ($kind, $target) = (lc $1, $2);
        next if $target =~ /^(?:https?|mailto):/i;
        my ($path, $anchor) = split /#/, $target, 2;
        my $name = length $path ? "$folder$path" : $page;
        1 while $name =~ s{/[^/]+/\.\./}{/};
        if (!$stored{$name} || !resolves($name)) {
            fail("$page: $kind=\"$target\" is not in the file");
            next;
        }
        $used{$name} = 1;
        if (defined $anchor && length $anchor) {
            my $other = file($name) // '';
            fail("$page: the anchor of \"$target\" is not in $name") unless $other =~ /\b(?:id|name)="\Q$anchor\E"/;
        }
    }
    while ($html =~ m{<b\b([^>]*)>(.*?)</b>}gis) {
        my ($attributes, $quoted) = ($1, plain($2));
        my ($id) = $attributes =~ /data-t="(\d+)"/;
        if (!defined $id) {
            fail("$page: the caption \"$quoted\" names no text id");
        } elsif (!defined $caption{$id}) {
            fail("$page: text $id (\"$quoted\") is not in the language file");
        } else {
            (my $shown = $caption{$id}) =~ s/\.\.\.$//;
            fail("$page: \"$quoted\" is text $id, which the program shows as \"$shown\"") unless $quoted eq $shown;
        }
    }
}
for my $name (sort keys %stored) {
    next if $name =~ m{^/[#\$]} || $name =~ /\.(?:html?|hhc|hhk)$/i;
    fail("$name is stored but no page shows it") unless $used{$name} || $name =~ /\.css$/i;
}

# The Help menu's topics: each number leads to the page whose title is the menu item's caption.
{
    my $ivb = file('/#IVB') // '';
    my $strings = file('/#STRINGS') // '';
    my %topic;
    my $length = length $ivb >= 4 ? unpack('V', $ivb) : 0;
    for (my $at = 4; $at + 8 <= 4 + $length && $at + 8 <= length $ivb; $at += 8) {
        my ($id, $offset) = unpack('V V', substr($ivb, $at, 8));
        ($topic{$id} = substr($strings, $offset)) =~ s/\0.*//s;
    }
    for my $expected ([20, 165], [30, 131], [40, 130]) {
        my ($id, $text) = @$expected;
        my $page = $topic{$id};
        if (!defined $page) {
            fail("topic $id is not mapped");
        } elsif (!$stored{"/$page"} || !resolves("/$page")) {
            fail("topic $id leads to $page, which is not in the file");
        } elsif (($title{"/$page"} // '') ne ($caption{$text} // '')) {
            fail("topic $id leads to \"", $title{"/$page"}, "\", not to \"", $caption{$text} // '', '"');
        }
    }
}

if (@failures) {
    print STDERR "$_\n" for @failures;
    printf STDERR "%d fault(s) in %s\n", scalar @failures, $chm;
    exit 1;
}
printf "%s: %d pages, %d in the contents, %d keywords, %d other files: all found\n", $chm, scalar @pages,
    scalar @contents, scalar @index, scalar(keys %stored) - @pages;
