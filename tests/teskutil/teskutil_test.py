#!/usr/bin/env python3
"""teskutil from the outside: every command once with good and once with bad
input, the inputs that used to crash it, files it must not lose, settings
files and archives made by other programs, and a replay of the fuzz corpora.
Usage: teskutil_test.py TESKUTIL FUZZ_CORPUS_DIR"""
import configparser, hashlib, os, struct, subprocess, sys, tempfile, unittest, unicodedata, zipfile, zlib

TOOL = CORPUS = None


def run(*args, stdout=subprocess.PIPE):
    p = subprocess.run([TOOL, *args], stdout=stdout, stderr=subprocess.PIPE, timeout=120)
    err = p.stderr.decode('utf-8', 'replace')
    assert 'Sanitizer' not in err and 'runtime error' not in err, err
    return p.returncode, (p.stdout or b'').decode('utf-8', 'replace'), err


class Case(unittest.TestCase):
    def setUp(self):
        self._dir = tempfile.TemporaryDirectory()
        self.dir = self._dir.name

    def tearDown(self):
        self._dir.cleanup()

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
        sealed, nomap = self.path('t.sealed'), self.path('t.txt')
        cases = [  # (arguments, exit code, text in the output)
            (['price', '12.34', '--state', '1'], 0, '+ 12.34'), (['price', 'x'], 2, 'not an integer'),
            (['volume', '-1234567'], 0, '-1,234,567'), (['volume', '1', '--bogus'], 2, 'unknown option'),
            (['comma', '1234'], 0, '1,234'), (['amount', '1234.5'], 0, '1,234.5'),
            (['number', '12.50'], 0, '12.50'), (['diff', '1.50', '--state', '2', '--64'], 2, 'no 64-bit'),
            (['percent', '12.34'], 0, '12.34'), (['unit', '1234567'], 0, '1M'), (['unit', '1', '--unit', 'Q'], 2, '--unit'),
            (['flow', '1536'], 0, '1.50 KB'), (['flow'], 2, 'missing argument'),
            (['error', '2'], 0, 'cannot find the file'), (['error', 'zz'], 2, 'not an error code'),
            (['wildcard', 'a*c', 'abc'], 0, 'match'), (['wildcard', 'a?', 'abc'], 1, 'no match'),
            (['regex', 'a+', 'xaay'], 0, 'match'), (['regex', '(', 'x'], 2, 'malformed pattern'),
            (['regex', '[z-a]', 'x'], 2, 'malformed pattern'),
            (['time', '0x091E0F'], 0, '09:30:15'), (['time', '0xFFFFFF'], 2, 'not a time'),
            (['time', '--parse', '253000'], 2, 'not a time'),
            (['date', '--parse', '20210726'], 0, '0x07E5071A'), (['date', '--parse', '20210230'], 2, 'no such day'),
            (['date', '0x07E5021E'], 2, 'not a date'),
            (['week', '2021', '12', '31'], 0, 'week'), (['week', '2021', '2', '30'], 2, 'no such day'),
            (['week', '0', '0', '0'], 2, 'no such day'),
            (['price', '12.345', '--dot', '2'], 2, 'more decimals'), (['price', '12.3', '--dot', '2'], 0, '12.30'),
            (['price', '1', '--state', '6'], 2, '--state'), (['price', '1', '--dot', '10'], 2, '--dot'),
            (['charset', nomap], 0, 'ANSI'), (['charset', self.path('none')], 1, 'none'),
            (['crc32', nomap], 0, '%08x' % zlib.crc32(b'abcd\n')), (['crc32', self.path('none')], 1, 'none'),
            (['md5', nomap], 0, hashlib.md5(b'abcd\n').hexdigest().upper()), (['md5', self.dir], 1, ''),
            (['hex', nomap], 0, '616263640A'), (['hex', self.path('none')], 1, 'none'),
            (['seal', nomap, sealed], 0, ''), (['verify', sealed], 0, 'intact'), (['verify', nomap], 1, 'not sealed'),
            (['map', 'dump', nomap], 1, 'not a serialized map'), (['map', 'list', nomap], 2, 'unknown action'),
            (['settings', 'bogus', self.path('none')], 2, 'usage'),
            (['settings', 'get', self.path('none'), 'S', 'k'], 1, 'none'),
            (['format-settings', 'save', self.path('f.ini')], 0, ''), (['format-settings', 'load', self.path('f.ini')], 0, '=='),
            (['format-settings', 'load', self.path('none')], 1, 'cannot read'),
            (['rmtree', self.path('none')], 1, 'not a folder'), (['zip', self.path('none'), self.path('o.zip')], 1, 'not a folder'),
            (['unzip', nomap, self.path('out')], 1, 'not a zip archive'),
            (['compress', 'XYZ', nomap, self.path('o')], 2, 'unknown method'),
            (['uncompress', 'GZ', nomap, self.path('o')], 1, 'RC_DATA_ERROR'),
            (['demo', 'x'], 2, 'too many'), (['nosuch'], 2, 'unknown command'),
        ]
        for args, rc, text in cases:
            with self.subTest(args=args):
                self.expect(args, rc, text)
        self.expect(['base64', nomap], 0)
        self.assertEqual(self.read('t.txt'), b'YWJjZAo=')
        os.mkdir(self.path('tree'))
        self.expect(['rmtree', self.path('tree')], 0)
        self.assertFalse(os.path.exists(self.path('tree')))

    def test_compress_round_trip_and_stream_notes(self):
        data = os.urandom(5000) * 3
        self.path('in', data)
        for method in ['Z15', 'GZ', 'GZC', 'RLE', 'FILT', 'HUFM', 'BZ', 'RAW']:
            with self.subTest(method=method):
                self.expect(['compress', method, self.path('in'), self.path('c')], 0)
                self.expect(['uncompress', method, self.path('c'), self.path('d')], 0)
                self.assertEqual(self.read('d'), data)
        self.path('two.gz', zlib.compress(b'a', wbits=31) + zlib.compress(b'b', wbits=31))
        self.expect(['uncompress', 'GZ', self.path('two.gz'), self.path('d')], 0, 'bytes after the end')
        self.path('empty', b'')
        self.expect(['compress', 'GZ', self.path('empty'), self.path('d')], 1, 'needs at least one byte')

    def test_stdout_write_errors_fail(self):
        self.path('f', b'x' * 100000)
        for args in (['hex', self.path('f')], ['demo']):
            with self.subTest(args=args), open('/dev/full', 'wb') as full:
                p = subprocess.run([TOOL, *args], stdout=full, stderr=subprocess.PIPE)
                self.assertEqual(p.returncode, 1)
                self.assertIn(b'standard output', p.stderr)


class Streams(Case):
    def test_md5_of_empty_and_proc_files(self):
        self.path('empty', b'')
        self.expect(['md5', self.path('empty')], 0, 'D41D8CD98F00B204E9800998ECF8427E')
        with open('/proc/version', 'rb') as f:
            self.expect(['crc32', '/proc/version'], 0, '%08x' % zlib.crc32(f.read()))
        self.expect(['crc32', '/proc/self/mem'], 1, '/proc/self/mem')

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
        inputs = {'c.ini': b'[\n\0=', 'n.ini': b'[s]\nk\0x=v\n[s\0t]\na=1\n', 'w.map': b'TSM \x03\x00B\x00\ny\n',
                  'r.ini': os.urandom(1 << 20)}
        for name, data in inputs.items():
            with self.subTest(name=name):
                kind = 'map' if name.endswith('.map') else 'settings'
                rc, out, _ = run(kind, 'dump', self.path(name, data))
                self.assertEqual(rc, 0)
        self.assertEqual(run('settings', 'dump', self.path('n.ini'))[1], '[s]\na=1\nk=v\n')
        self.assertEqual(run('map', 'dump', self.path('w.map'))[1], 'B=y\n')


class OutputPreserved(Case):
    def test_failed_commands_keep_the_target(self):
        failing = [(['uncompress', 'GZ', 'corrupt.gz', 'keep'], {'corrupt.gz': b'not gzip'}),
                   (['compress', 'GZ', 'empty', 'keep'], {'empty': b''}),
                   (['seal', 'none', 'keep'], {}),
                   (['zip', 'folder', 'keep'], {})]
        for args, files in failing:
            with self.subTest(args=args):
                for name, data in files.items():
                    self.path(name, data)
                self.path('keep', b'precious')
                rc, _, _ = run(*[self.path(a) if a in files or a in ('keep', 'none', 'folder') else a for a in args])
                self.assertEqual(rc, 1)
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
        for section, key, value in [('S', 'k', 'v\n[T]'), ('S', 'a=b', 'v'), ('S', '[k', 'v'), ('S', '#k', 'v'),
                                    ('S', '/k', 'v'), ('S', '', 'v'), ('S\r', 'k', 'v'), ('[S', 'k', 'v')]:
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
        found = {}
        for folder, _, files in os.walk(root):
            for f in files:
                with open(os.path.join(folder, f), 'rb') as h:
                    found[os.path.relpath(os.path.join(folder, f), root)] = h.read()
        return found

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
        for args, text in [(['overlap.zip'], "'bog.bin' shares its data"), (['lzma.zip'], "'l.txt' uses compression method 14"),
                           (['enc.zip'], "'s.txt' is encrypted"), (['evil.zip'], "'../up.txt' names a path outside"),
                           (['big.zip', '--max-size', '999999'], "'big.bin' would take the total past")]:
            with self.subTest(args=args):
                out = self.path('out')
                self.expect(['unzip', self.path(args[0]), out, *args[1:]], 1, text)
                self.assertEqual(self.tree(out), {})
        self.expect(['unzip', big, self.path('ok'), '--max-size', '1000000'], 0)

    def test_our_archives_open_elsewhere(self):
        src = self.path('src')
        os.makedirs(os.path.join(src, 'sub', '中'))
        for rel in ('sub/中/f.txt', '\xa4\xa4.txt'.encode('latin-1').decode('utf-8', 'surrogateescape'), 'Group.sdb'):
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
                self.assertEqual(names['\xa4\xa4.txt'.encode('latin-1').decode('cp437')], 0)
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

    def replay(self, target, feed):
        folder = os.path.join(CORPUS, target)
        for name in sorted(os.listdir(folder)) if os.path.isdir(folder) else []:
            with open(os.path.join(folder, name), 'rb') as f, self.subTest(target=target, file=name):
                feed(f.read())

    def test_replay(self):
        def loose(args, allowed=(0, 1)):
            if any(b'\0' in a for a in args if isinstance(a, bytes)):
                return
            rc, _, err = run(*args)
            self.assertIn(rc, allowed, err)

        def archive(data, suffix=''):
            return self.path('in' + suffix, data)

        def unzip(data):
            out = self.path('out')
            loose(['unzip', archive(data), out])
            self.assertEqual(sorted(os.listdir(self.dir)), ['in', 'out'])
            run('rmtree', out)

        def uncompress(data):
            for method in ('Z15', 'GZ', 'GZC', 'BZ'):
                loose(['uncompress', method, archive(data[2:]), self.path('o')])

        def text(data):
            for kind in ('time', 'date'):
                loose(['--raw', kind, '--parse', data[1:]], (0, 2))

        def regex(data):
            pattern, _, subject = data[1:].partition(b'\0')
            loose(['--raw', 'regex', pattern, subject, '--'] if pattern[:1] != b'-' else ['regex', '--', pattern, subject],
                  (0, 1, 2))

        settings = lambda skip: lambda data: [loose(['settings', 'dump', archive(data[skip:])] + extra)
                                             for extra in ([], ['--utf16'])]
        maps = lambda data: [loose(['map', 'dump', archive(data)] + extra) for extra in ([], ['--utf16'])]
        feeds = {'fuzz_unzip': unzip, 'fuzz_decompress': uncompress, 'fuzz_display_text': text, 'fuzz_regex': regex,
                 'fuzz_line_readers': settings(1), 'fuzz_settings_load': settings(0), 'fuzz_tool_settings': settings(1),
                 'fuzz_map_load': maps, 'fuzz_tool_map': maps,
                 'fuzz_image_load': lambda data: [loose(['image', 'convert', archive(data, ext), self.path('o.bmp')])
                                                  for ext in ('.bmp', '.png', '.jpg')],
                 'fuzz_xml_load': lambda data: loose(['xml', 'get', archive(data)]),
                 'fuzz_typelib': lambda data: loose(['typelib', archive(data, '.tlb')])}
        # System files and waves: no command reads them from a file of ours without touching the machine.
        internal = {'fuzz_system_parsers', 'fuzz_wave'}
        self.assertEqual(sorted(feeds), sorted(set(os.listdir(CORPUS)) - internal), 'a corpus without a command to replay it')
        for target, feed in feeds.items():
            self.replay(target, feed)


if __name__ == '__main__':
    TOOL, CORPUS = sys.argv[1], sys.argv[2]
    unittest.main(argv=sys.argv[:1])
