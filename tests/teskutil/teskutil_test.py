#!/usr/bin/env python3
"""teskutil from the outside: every command once with good and once with bad
input, the inputs that used to crash it, files it must not lose, settings
files and archives made by other programs, and a replay of the fuzz corpora.
Usage: teskutil_test.py TESKUTIL FUZZ_CORPUS_DIR"""
import configparser, hashlib, os, pathlib, shutil, struct, subprocess, sys, tempfile, unittest, unicodedata
import zipfile, zlib

TOOL = CORPUS = None


def run(*args, stdout=subprocess.PIPE):
    p = subprocess.run([TOOL, *args], stdout=stdout, stderr=subprocess.PIPE, timeout=120)
    err = p.stderr.decode('utf-8', 'replace')
    assert 'Sanitizer' not in err and 'runtime error' not in err, err
    return p.returncode, (p.stdout or b'').decode('utf-8', 'replace'), err


class Case(unittest.TestCase):
    def setUp(self):
        self.dir = tempfile.mkdtemp()
        self.addCleanup(shutil.rmtree, self.dir)

    def path(self, name, data=None):
        p = os.path.join(self.dir, name)
        if data is not None:
            with open(p, 'wb') as f:
                f.write(data)
        return p

    def read(self, name):
        with open(self.path(name), 'rb') as f:
            return f.read()

    def expect(self, args, rc, text=''):
        got, out, err = run(*args)
        self.assertEqual(got, rc, f'{args}: {out}{err}')
        self.assertIn(text, out + err, args)
        return out


class Commands(Case):
    def test_good_and_bad_input(self):
        self.path('t.txt', b'abcd\n')
        self.path('empty', b'')
        self.path('two.gz', zlib.compress(b'a', wbits=31) + zlib.compress(b'b', wbits=31))
        with open('/proc/version', 'rb') as f:
            proc_version_crc = '%08x' % zlib.crc32(f.read())
        cases = [  # (arguments, {d} being the scratch folder; exit code; text in the output)
            ('price 12.34 --state 1', 0, '+ 12.34'), ('price x', 2, 'not an integer'),
            ('price 12.345 --dot 2', 2, 'more decimals'), ('price 12.3 --dot 2', 0, '12.30'),
            ('price 1 --state 6', 2, '--state'), ('price 1 --dot 10', 2, '--dot'),
            ('volume -1234567', 0, '-1,234,567'), ('volume 1 --bogus', 2, 'unknown option'),
            ('comma 1234', 0, '1,234'), ('amount 1234.5', 0, '1,234.5'), ('number 12.50', 0, '12.50'),
            ('diff 1.50 --state 2 --64', 2, 'no 64-bit'), ('percent 12.34', 0, '12.34'),
            ('unit 1234567', 0, '1M'), ('unit 1 --unit Q', 2, '--unit'),
            ('flow 1536', 0, '1.50 KB'), ('flow', 2, 'missing argument'),
            ('error 2', 0, 'cannot find the file'), ('error zz', 2, 'not an error code'),
            ('wildcard a*c abc', 0, 'match'), ('wildcard a? abc', 1, 'no match'),
            ('regex a+ xaay', 0, 'match'), ('regex ( x', 2, 'malformed pattern'),
            ('regex [z-a] x', 2, 'malformed pattern'), ('time 0x091E0F', 0, '09:30:15'),
            ('time 0xFFFFFF', 2, 'not a time'),
            ('time --parse 253000', 2, 'not a time'), ('date --parse 20210726', 0, '0x07E5071A'),
            ('date --parse 20210230', 2, 'no such day'), ('date 0x07E5021E', 2, 'not a date'),
            ('week 2021 12 31', 0, 'week'), ('week 2021 2 30', 2, 'no such day'),
            ('week 0 0 0', 2, 'no such day'),
            ('charset {d}/t.txt', 0, 'ANSI'), ('charset {d}/none', 1, 'none'),
            ('crc32 {d}/t.txt', 0, '%08x' % zlib.crc32(b'abcd\n')), ('crc32 {d}/none', 1, 'none'),
            ('crc32 /proc/version', 0, proc_version_crc), ('crc32 /proc/self/mem', 1, '/proc/self/mem'),
            ('md5 {d}/t.txt', 0, hashlib.md5(b'abcd\n').hexdigest().upper()), ('md5 {d}', 1, ''),
            ('md5 {d}/empty', 0, 'D41D8CD98F00B204E9800998ECF8427E'),
            ('hex {d}/t.txt', 0, '616263640A'), ('hex {d}/none', 1, 'none'),
            ('seal {d}/t.txt {d}/t.sealed', 0, ''), ('verify {d}/t.sealed', 0, 'intact'),
            ('verify {d}/t.txt', 1, 'not sealed'), ('map dump {d}/t.txt', 1, 'not a serialized map'),
            ('map list {d}/t.txt', 2, 'unknown action'), ('settings bogus {d}/none', 2, 'usage'),
            ('settings get {d}/none S k', 1, 'none'), ('format-settings save {d}/f.ini', 0, ''),
            ('format-settings load {d}/f.ini', 0, '=='), ('format-settings load {d}/none', 1, 'cannot read'),
            ('rmtree {d}/none', 1, 'not a folder'), ('zip {d}/none {d}/o.zip', 1, 'not a folder'),
            ('unzip {d}/t.txt {d}/out', 1, 'not a zip archive'), ('demo x', 2, 'too many'),
            ('compress XYZ {d}/t.txt {d}/o', 2, 'unknown method'), ('nosuch', 2, 'unknown command'),
            ('compress GZ {d}/empty {d}/o', 1, 'needs at least one byte'),
            ('uncompress GZ {d}/t.txt {d}/o', 1, 'RC_DATA_ERROR'),
            ('uncompress GZ {d}/two.gz {d}/o', 0, 'bytes after the end'),
        ]
        for args, rc, text in cases:
            with self.subTest(args=args):
                self.expect(args.format(d=self.dir).split(), rc, text)
        self.assertFalse(os.path.exists(self.path('out')))  # a refused archive leaves no folder behind
        self.expect(['base64', self.path('t.txt')], 0)
        self.assertEqual(self.read('t.txt'), b'YWJjZAo=')
        os.mkdir(self.path('tree'))
        self.expect(['rmtree', self.path('tree')], 0)
        self.assertFalse(os.path.exists(self.path('tree')))

    def test_compress_round_trip(self):
        data = os.urandom(5000) * 3
        self.path('in', data)
        for method in ['Z15', 'GZ', 'GZC', 'RLE', 'FILT', 'HUFM', 'BZ', 'RAW']:
            with self.subTest(method=method):
                self.expect(['compress', method, self.path('in'), self.path('c')], 0)
                self.expect(['uncompress', method, self.path('c'), self.path('d')], 0)
                self.assertEqual(self.read('d'), data)

    def test_stdout_write_errors_fail(self):
        self.path('f', b'x' * 100000)
        for args in (['hex', self.path('f')], ['demo']):
            with self.subTest(args=args), open('/dev/full', 'wb') as full:
                rc, _, err = run(*args, stdout=full)
                self.assertEqual((rc, 'standard output' in err), (1, True), err)


class Streams(Case):
    def test_large_file_is_not_held_in_memory(self):
        big = self.path('big')
        with open(big, 'wb') as f:
            f.truncate(100 << 20)
        for args in (['md5', big], ['hex', big]):
            with self.subTest(args=args):
                p = subprocess.Popen([TOOL, *args], stdout=subprocess.DEVNULL)
                _, status, usage = os.wait4(p.pid, 0)
                self.assertEqual(os.waitstatus_to_exitcode(status), 0)
                self.assertLess(usage.ru_maxrss, 60 * 1024, 'KiB resident')


class Crashes(Case):
    def test_inputs_that_crashed(self):
        for kind, data, dump in [('settings', b'[\n\0=', None), ('settings', os.urandom(1 << 20), None),
                                 ('settings', b'[s]\nk\0x=v\n[s\0t]\na=1\n', '[s]\na=1\nk=v\n'),
                                 ('map', b'TSM \x03\x00B\x00\ny\n', 'B=y\n')]:
            with self.subTest(data=data[:40]):
                rc, out, _ = run(kind, 'dump', self.path('in', data))
                self.assertEqual((rc, out), (0, dump or out))


class OutputPreserved(Case):
    def test_failed_commands_keep_the_target(self):
        for args, data in [('uncompress GZ {d}/in', b'not gzip'), ('compress GZ {d}/in', b''),
                           ('seal {d}/none', None), ('zip {d}/folder', None)]:
            with self.subTest(args=args):
                self.path('in', data)
                self.path('keep', b'precious')
                self.assertEqual(run(*args.format(d=self.dir).split(), self.path('keep'))[0], 1)
                self.assertEqual(self.read('keep'), b'precious')
                self.assertEqual([n for n in os.listdir(self.dir) if 'teskutil' in n], [])

    def test_settings_set_refuses_a_file_it_cannot_rewrite(self):
        for data in (b'[S]\r\na=1\r\n\0\0junk', b'[S]\r\na=\xff\xfe\x80\r\n'):
            with self.subTest(data=data):
                self.path('s.ini', data)
                self.expect(['settings', 'set', self.path('s.ini'), 'S', 'b', '2'], 1, 'not a settings file')
                self.assertEqual(self.read('s.ini'), data)


class SettingsEncodings(Case):
    def test_marks_and_encodings_are_read_and_kept(self):
        text = '[S]\nk=中文😀\n'
        for name, data, charset in [('u16.ini', text.encode('utf-16'), 'UTF-16LE'),
                                    ('u8bom.ini', b'\xef\xbb\xbf' + text.encode(), 'UTF-8'),
                                    ('u8.ini', text.encode(), 'ANSI')]:
            with self.subTest(name=name):
                p = self.path(name, data)
                self.expect(['settings', 'get', p, 'S', 'k'], 0, '中文😀')
                self.expect(['settings', 'set', p, 'T', 'x', '名稱'], 0)
                self.expect(['charset', p], 0, charset)
                self.expect(['settings', 'dump', p], 0, 'k=中文😀\n[T]\nx=名稱')
                cp = configparser.ConfigParser()
                cp.read(p, encoding={'UTF-16LE': 'utf-16', 'UTF-8': 'utf-8-sig'}.get(charset, 'utf-8'))
                self.assertEqual(cp['T']['x'], '名稱')

    def test_big5_file_and_utf16_flag(self):
        p = self.path('b.ini', b'[S]\r\nk=\xa4\xa4\r\n')
        self.expect(['settings', 'get', p, 'S', 'k'], 0, '中')
        self.expect(['settings', 'set', p, 'S', 'e', 'é'], 2, 'cannot hold')
        self.expect(['settings', 'set', p, 'S', 'e', '文'], 0)
        self.assertIn(b'e=\xa4\xe5\r\n', self.read('b.ini'))
        n = self.path('n.ini')
        self.expect(['settings', 'set', n, 'S', 'a', '1', '--utf16'], 0)
        self.expect(['charset', n], 0, 'UTF-16LE')

    def test_entries_that_would_not_read_back_are_refused(self):
        p = self.path('s.ini', b'[S]\r\na=1\r\n')
        for section, key, value in [('S', 'k', 'v\n[T]'), ('S', 'a=b', 'v'), ('S', '[k', 'v'),
                                    ('S', '#k', 'v'), ('S', '/k', 'v'), ('S', '', 'v'), ('S\r', 'k', 'v'),
                                    ('[S', 'k', 'v')]:
            with self.subTest(key=key, section=section):
                self.expect(['settings', 'set', p, section, key, value], 2, 'cannot store')
        self.assertEqual(self.read('s.ini'), b'[S]\r\na=1\r\n')


class Archives(Case):
    def make(self, name, entries, method=zipfile.ZIP_DEFLATED):
        with zipfile.ZipFile(self.path(name), 'w', method) as z:
            for entry, data in entries:
                z.writestr(entry, data)
        return self.path(name)

    def tree(self, root):
        files = [f for f in pathlib.Path(root).rglob('*') if f.is_file()]
        return {f.relative_to(root).as_posix(): f.read_bytes() for f in files}

    def test_archives_from_other_tools_extract(self):
        src = self.path('src')
        os.makedirs(os.path.join(src, 'sub', 'deep'))
        with open(os.path.join(src, 'sub', 'deep', 'b.txt'), 'wb') as f:
            f.write(b'b')
        subprocess.run(['zip', '-qr', self.path('info.zip'), '.'], cwd=src, check=True)
        subprocess.run(['zip', '-qrD', self.path('nodirs.zip'), '.'], cwd=src, check=True)
        self.make('py.zip', [('x/', b''), ('x/y/z.txt', b'hello'), ('w\\v.txt', b'w')])
        self.make('bz.zip', [('d/b.txt', b'bzip2 ' * 1000), ('e.txt', b'')], zipfile.ZIP_BZIP2)
        expected = {'info.zip': {'sub/deep/b.txt': b'b'}, 'nodirs.zip': {'sub/deep/b.txt': b'b'},
                    'py.zip': {'x/y/z.txt': b'hello', 'w/v.txt': b'w'},
                    'bz.zip': {'d/b.txt': b'bzip2 ' * 1000, 'e.txt': b''}}
        for name, files in expected.items():
            with self.subTest(name=name):
                out = self.path('out-' + name)
                self.expect(['unzip', self.path(name), out], 0)
                self.assertEqual(self.tree(out), files)
        self.expect(['unzip', self.path('info.zip'), self.path('exact'), '--exact'], 1, "entry 'sub/'")

    def test_hostile_archives_are_refused_naming_the_entry(self):
        big = self.make('big.zip', [('big.bin', b'\0' * 1000000)])
        data = open(big, 'rb').read()
        end = data.rfind(b'PK\x05\x06')
        size, start = struct.unpack('<II', data[end + 12:end + 20])
        directory = data[start:start + size]
        directory += directory.replace(b'big.bin', b'bog.bin')
        self.path('overlap.zip', data[:start] + directory +
                  data[end:end + 8] + struct.pack('<HHII', 2, 2, len(directory), start) + data[end + 20:])
        self.make('lzma.zip', [('l.txt', b'x')], zipfile.ZIP_LZMA)
        self.path('s.txt', b'secret')
        subprocess.run(['zip', '-q', '-P', 'pw', self.path('enc.zip'), 's.txt'], cwd=self.dir, check=True)
        self.make('evil.zip', [('../up.txt', b'x')])
        for args, text in [('overlap.zip', "'bog.bin' shares its data"), ('enc.zip', "'s.txt' is encrypted"),
                           ('lzma.zip', "'l.txt' uses compression method 14"),
                           ('evil.zip', "'../up.txt' names a path outside"),
                           ('big.zip --max-size 999999', "'big.bin' would take the total past")]:
            with self.subTest(args=args):
                name, *options = args.split()
                self.expect(['unzip', self.path(name), self.path('out'), *options], 1, text)
                self.assertEqual(self.tree(self.path('out')), {})
        self.expect(['unzip', big, self.path('ok'), '--max-size', '1000000'], 0)

    def test_our_archives_open_elsewhere(self):
        src = self.path('src')
        os.makedirs(os.path.join(src, 'sub', '中'))
        big5 = '\xa4\xa4.txt'.encode('latin-1')  # a Big5 name, not UTF-8
        for rel in ('sub/中/f.txt', big5.decode('utf-8', 'surrogateescape'), 'Group.sdb'):
            with open(os.path.join(src, rel), 'wb') as f:
                f.write(b'x')
        for portable in (False, True):
            with self.subTest(portable=portable):
                archive = self.path(f'ours{portable}.zip')
                self.expect(['zip', src, archive] + (['--portable'] if portable else []), 0)
                with zipfile.ZipFile(archive) as z:
                    names = {i.filename: i.flag_bits & 0x800 for i in z.infolist()}
                    self.assertIsNone(z.testzip())
                self.assertNotIn('Group.sdb', names)
                self.assertEqual(names['sub/中/f.txt' if portable else 'sub\\中\\f.txt'], 0x800)
                self.assertEqual(names[big5.decode('cp437')], 0)
                if portable:
                    p = subprocess.run(['unzip', '-o', '-d', self.path('u'), archive], capture_output=True)
                    self.assertEqual(p.returncode, 0, p.stderr)
                    self.assertNotIn(b'warning', p.stdout + p.stderr)


class Demo(Case):
    def test_columns_align_and_signs_read_as_a_trader_expects(self):
        out = self.expect(['demo'], 0)
        self.assertNotIn('▼+', out)
        self.assertIn('▼ 0.90', out)
        width = lambda line: sum(2 if unicodedata.east_asian_width(c) in 'WF' else 1 for c in line)
        rows = [line for line in out.splitlines() if line and not line.startswith('==')]
        self.assertEqual(len({width(r) for r in rows}), 1, out)


class CorpusReplay(Case):
    """Every fuzz corpus file through the command that reads that kind of input."""

    def test_replay(self):
        def loose(args, allowed=(0, 1)):
            if not any(b'\0' in a for a in args if isinstance(a, bytes)):  # not passable as an argument
                rc, _, err = run(*args)
                self.assertIn(rc, allowed, err)

        def unzip(data):
            loose(['unzip', file(data), self.path('out')])
            self.assertEqual(sorted(os.listdir(self.dir)), ['in', 'out'])
            run('rmtree', self.path('out'))

        def regex(data):
            pattern, _, subject = data[1:].partition(b'\0')
            dashed = pattern[:1] == b'-'
            loose(['regex', '--', pattern, subject] if dashed else ['--raw', 'regex', pattern, subject, '--'],
                  (0, 1, 2))

        file = lambda data, suffix='': self.path('in' + suffix, data)
        dump = lambda kind, skip: lambda d: [loose([kind, 'dump', file(d[skip:]), *utf16])
                                             for utf16 in ([], ['--utf16'])]
        feeds = {'fuzz_unzip': unzip, 'fuzz_regex': regex,
                 'fuzz_decompress': lambda d: [loose(['uncompress', m, file(d[2:]), self.path('o')])
                                               for m in ('Z15', 'GZ', 'GZC', 'BZ')],
                 'fuzz_display_text': lambda d: [loose(['--raw', kind, '--parse', d[1:]], (0, 2))
                                                 for kind in ('time', 'date')],
                 'fuzz_line_readers': dump('settings', 1), 'fuzz_settings_load': dump('settings', 0),
                 'fuzz_tool_settings': dump('settings', 1), 'fuzz_map_load': dump('map', 0),
                 'fuzz_tool_map': dump('map', 0),
                 'fuzz_image_load': lambda d: [loose(['image', 'convert', file(d, ext), self.path('o.bmp')])
                                               for ext in ('.bmp', '.png', '.jpg')],
                 'fuzz_xml_load': lambda d: loose(['xml', 'get', file(d)]),
                 'fuzz_typelib': lambda d: loose(['typelib', file(d, '.tlb')])}
        # System files and waves: no command reads them from a file of ours without touching the machine.
        internal = {'fuzz_system_parsers', 'fuzz_wave'}
        self.assertEqual(sorted(feeds), sorted(set(os.listdir(CORPUS)) - internal), 'unreplayed corpus')
        for target, feed in feeds.items():
            for entry in sorted(pathlib.Path(CORPUS, target).iterdir()):
                with self.subTest(target=target, file=entry.name):
                    feed(entry.read_bytes())


if __name__ == '__main__':
    TOOL, CORPUS = sys.argv[1], sys.argv[2]
    unittest.main(argv=sys.argv[:1])
