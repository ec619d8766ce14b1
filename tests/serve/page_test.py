#!/usr/bin/python3
"""The upload page in a real browser: headless Chromium through Selenium on a
phone-sized window uploads a thesis to `quillmark serve` on loopback, waits
for the findings table, checks its rows against the API, sorts and filters
it, downloads the report and saves a screenshot.

usage: page_test.py QUILLMARK THESIS SCREENSHOT.png
"""
import ctypes
import json
import os
import shutil
import signal
import subprocess
import sys
import tempfile
import time
import unittest
import urllib.request

from selenium import webdriver
from selenium.webdriver.chrome.options import Options
from selenium.webdriver.chrome.service import Service
from selenium.webdriver.common.by import By
from selenium.webdriver.support.ui import Select, WebDriverWait

QUILLMARK, THESIS, SCREENSHOT = sys.argv[1:4]
LEVELS = {'严重': 0, '中等': 1, '轻微': 2}


def end_with_us():
    """In the server's process: a test run that dies takes the server with it."""
    PR_SET_PDEATHSIG = 1
    ctypes.CDLL('libc.so.6', use_errno=True).prctl(PR_SET_PDEATHSIG, signal.SIGTERM)


class UploadPage(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.home = tempfile.mkdtemp(prefix='quillmark-page-')
        env = dict(os.environ, XDG_CACHE_HOME=os.path.join(cls.home, 'cache'), TMPDIR=cls.home,
                   QUILLMARK_ENGINE_HEADLESS='1')
        cls.server = subprocess.Popen([QUILLMARK, 'serve', '--listen', '127.0.0.1:0', '--jobs', '1'],
                                      stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, env=env, text=True,
                                      preexec_fn=end_with_us)
        line = cls.server.stdout.readline()  # the server says where it listens
        cls.base = line.split()[2] if line.startswith('quillmark serve: ') else None
        if not cls.base:
            cls.server.kill()
            raise RuntimeError('the server did not start: ' + line)
        cls.downloads = os.path.join(cls.home, 'downloads')
        os.mkdir(cls.downloads)
        options = Options()
        for a in ('--headless=new', '--no-sandbox', '--disable-dev-shm-usage', '--window-size=390,844',
                  '--no-proxy-server'):
            options.add_argument(a)
        options.add_experimental_option('prefs', {'download.default_directory': cls.downloads,
                                                  'download.prompt_for_download': False})
        # The browser's own temporary folders go into the test's folder too.
        browser_env = dict(os.environ, TMPDIR=cls.home)
        cls.browser = webdriver.Chrome(service=Service('/usr/bin/chromedriver', env=browser_env), options=options)
        cls.browser.set_page_load_timeout(30)
        cls.browser.execute_cdp_cmd('Page.setDownloadBehavior', {'behavior': 'allow', 'downloadPath': cls.downloads})

    @classmethod
    def tearDownClass(cls):
        cls.browser.quit()
        cls.server.send_signal(signal.SIGTERM)
        cls.server.wait(timeout=60)
        shutil.rmtree(cls.home, ignore_errors=True)

    def rows(self):
        return [[td.text for td in tr.find_elements(By.TAG_NAME, 'td')]
                for tr in self.browser.find_elements(By.CSS_SELECTOR, '#findings tbody tr')]

    def api(self, path):
        direct = urllib.request.build_opener(urllib.request.ProxyHandler({}))  # loopback only
        with direct.open(self.base.rstrip('/') + path, timeout=30) as answer:
            return json.load(answer)

    def test_a_student_uploads_the_thesis_and_reads_the_findings(self):
        b = self.browser
        b.get(self.base)
        self.assertEqual(b.title, '论文格式检测')
        # The template file is asked for only when the student chose to upload one.
        template_file = b.find_element(By.ID, 'template-file-row')
        self.assertFalse(template_file.is_displayed())
        Select(b.find_element(By.ID, 'template')).select_by_value('*upload')
        self.assertTrue(template_file.is_displayed())
        Select(b.find_element(By.ID, 'template')).select_by_value('')
        self.assertFalse(template_file.is_displayed())
        # Comments in the report are the student's choice, off until asked for.
        comments = b.find_element(By.ID, 'comments')
        self.assertFalse(comments.is_selected())
        self.assertEqual(comments.find_element(By.XPATH, '..').text.strip(), '报表中加入批注')
        comments.click()
        b.find_element(By.ID, 'file').send_keys(os.path.abspath(THESIS))
        self.assertIn(os.path.basename(THESIS), b.find_element(By.ID, 'drop-text').text)
        b.find_element(By.ID, 'start').click()
        WebDriverWait(b, 600, poll_frequency=0.5).until(
            lambda d: d.find_element(By.ID, 'result').is_displayed() or d.find_element(By.ID, 'form-error').is_displayed())
        self.assertFalse(b.find_element(By.ID, 'form-error').is_displayed(), b.find_element(By.ID, 'form-error').text)

        heads = [th.text.strip(' ▲▼') for th in b.find_elements(By.CSS_SELECTOR, '#findings th')]
        self.assertEqual(heads, ['序号', '等级', '页码', '行', '问题描述'])
        check_id = b.find_element(By.ID, 'report-doc').get_attribute('href').split('/')[-2]
        check = self.api('/api/checks/' + check_id)
        self.assertTrue(check['comments'])
        findings = check['findings']
        self.assertTrue(findings)
        shown = self.rows()
        self.assertEqual(len(shown), len(findings))
        for number, (row, f) in enumerate(zip(shown, findings), 1):
            self.assertEqual([c.split('：', 1)[-1] for c in row],
                             [str(number), f['level'], str(f['page']), str(f['line']), f['description']])
        b.save_screenshot(SCREENSHOT)
        b.set_window_size(390, b.execute_script('return document.body.scrollHeight') + 120)
        b.save_screenshot(SCREENSHOT.replace('.png', '-whole.png'))
        b.set_window_size(390, 844)

        # Sorted by page, highest first; then only one level.
        page_head = b.find_element(By.CSS_SELECTOR, '#findings th[data-key=page] button')
        page_head.click()
        page_head.click()
        pages = [int(r[2].split('：')[-1]) for r in self.rows()]
        self.assertEqual(pages, sorted(pages, reverse=True))
        level = findings[-1]['level']
        Select(b.find_element(By.ID, 'level-filter')).select_by_value(level)
        levels = {r[1].split('：')[-1] for r in self.rows()}
        self.assertEqual(levels, {level})
        self.assertEqual(len(self.rows()), sum(1 for f in findings if f['level'] == level))

        b.find_element(By.ID, 'report-doc').click()
        deadline = time.monotonic() + 60
        done = []
        while time.monotonic() < deadline and not done:
            done = [n for n in os.listdir(self.downloads) if n.endswith('.doc')]
            time.sleep(0.2)
        self.assertTrue(done, 'the report was not downloaded')
        with open(os.path.join(self.downloads, done[0]), 'rb') as f:
            self.assertEqual(f.read(4), b'\xd0\xcf\x11\xe0')
        self.assertIn('(修改后)', done[0])

    def test_a_file_that_is_no_thesis_gets_the_reason_in_chinese(self):
        b = self.browser
        b.get(self.base)
        notes = os.path.join(self.home, '<img src=x onerror=alert(1)>笔记.txt')
        with open(notes, 'w') as f:
            f.write('这不是论文')
        b.find_element(By.ID, 'file').send_keys(notes)
        b.find_element(By.ID, 'start').click()
        error = b.find_element(By.ID, 'form-error')
        WebDriverWait(b, 30).until(lambda d: error.is_displayed())
        self.assertIn('不是 Word 文档', error.text)
        self.assertIn('<img src=x onerror=alert(1)>笔记.txt', error.text)  # shown as text, not markup
        self.assertEqual(b.find_elements(By.CSS_SELECTOR, '#form-error img'), [])


if __name__ == '__main__':
    unittest.main(argv=sys.argv[:1], verbosity=2)
