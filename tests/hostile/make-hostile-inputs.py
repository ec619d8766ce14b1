#!/usr/bin/env python3
"""Writes the hostile inputs of the command-line suite into a folder.

usage: make-hostile-inputs.py FOLDER URL CACHE

URL is a web server that counts requests (every external reference points
there); MARKER, a file that a macro would write, is FOLDER/macro-ran. Large
inputs that never change (the 1,000-page document) are made once in CACHE.
"""
import os
import random
import sys
import zipfile
import zlib

from encrypted_package import encrypt_package

W = 'xmlns:w="http://schemas.openxmlformats.org/wordprocessingml/2006/main" ' \
    'xmlns:r="http://schemas.openxmlformats.org/officeDocument/2006/relationships"'

CONTENT_TYPES = ('<?xml version="1.0" encoding="UTF-8" standalone="yes"?>'
                 '<Types xmlns="http://schemas.openxmlformats.org/package/2006/content-types">'
                 '<Default Extension="rels" ContentType="application/vnd.openxmlformats-package.relationships+xml"/>'
                 '<Default Extension="xml" ContentType="application/xml"/>'
                 '<Default Extension="png" ContentType="image/png"/>'
                 '<Override PartName="/word/document.xml" ContentType="application/'
                 'vnd.openxmlformats-officedocument.wordprocessingml.document.main+xml"/></Types>')
ROOT_RELS = ('<?xml version="1.0" encoding="UTF-8" standalone="yes"?>'
             '<Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships">'
             '<Relationship Id="rId1" Type="http://schemas.openxmlformats.org/officeDocument/2006/'
             'relationships/officeDocument" Target="word/document.xml"/></Relationships>')


def paragraph(text, page_break_before=False):
    props = '<w:pPr><w:pageBreakBefore/></w:pPr>' if page_break_before else ''
    return f'<w:p>{props}<w:r><w:t xml:space="preserve">{text}</w:t></w:r></w:p>'


def document_xml(body, prolog=''):
    return (f'<?xml version="1.0" encoding="UTF-8" standalone="yes"?>{prolog}'
            f'<w:document {W}><w:body>{body}</w:body></w:document>')


def write_docx(path, body, document_rels='', prolog=''):
    with zipfile.ZipFile(path, 'w', zipfile.ZIP_DEFLATED) as z:
        z.writestr('[Content_Types].xml', CONTENT_TYPES)
        z.writestr('_rels/.rels', ROOT_RELS)
        z.writestr('word/document.xml', document_xml(body, prolog))
        if document_rels:
            z.writestr('word/_rels/document.xml.rels',
                       '<?xml version="1.0" encoding="UTF-8" standalone="yes"?>'
                       '<Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships">'
                       f'{document_rels}</Relationships>')


def write_zip_bomb(path, gigabytes=1):
    """A package whose document part inflates to a gigabyte of blanks."""
    head = document_xml('<w:p><w:r><w:t xml:space="preserve">', '').encode()
    head = head[:head.index(b'</w:t>')] if b'</w:t>' in head else head
    tail = b'</w:t></w:r></w:p></w:body></w:document>'
    chunk = b' ' * (1 << 20)
    packer = zlib.compressobj(9, zlib.DEFLATED, -15)
    packed = [packer.compress(head)]
    crc = zlib.crc32(head)
    for _ in range(gigabytes * 1024):
        packed.append(packer.compress(chunk))
        crc = zlib.crc32(chunk, crc)
    packed.append(packer.compress(tail))
    crc = zlib.crc32(tail, crc)
    packed.append(packer.flush())
    data = b''.join(packed)
    size = len(head) + gigabytes * (1 << 30) + len(tail)
    with zipfile.ZipFile(path, 'w', zipfile.ZIP_DEFLATED) as z:
        z.writestr('[Content_Types].xml', CONTENT_TYPES)
        z.writestr('_rels/.rels', ROOT_RELS)
    # Append the bomb by hand: zipfile would inflate-check nothing but needs
    # the whole part in memory; ZIP64 sizes because it exceeds nothing here.
    with zipfile.ZipFile(path, 'a') as z:
        info = zipfile.ZipInfo('word/document.xml')
        info.compress_type = zipfile.ZIP_DEFLATED
        info.file_size = size
        info.compress_size = len(data)
        info.CRC = crc
        z.fp.seek(z.start_dir)
        info.header_offset = z.fp.tell()
        z._writecheck(info)
        z._didModify = True
        z.fp.write(info.FileHeader(zip64=False))
        z.fp.write(data)
        z.start_dir = z.fp.tell()
        z.filelist.append(info)
        z.NameToInfo[info.filename] = info


def write_macro_document(path, marker):
    """OpenDocument text whose load event runs a Basic macro that writes a marker file."""
    basic = ('<?xml version="1.0" encoding="UTF-8"?>'
             '<!DOCTYPE script:module PUBLIC "-//OpenOffice.org//DTD OfficeDocument 1.0//EN" "module.dtd">'
             '<script:module xmlns:script="http://openoffice.org/2000/script" script:name="Module1" '
             'script:language="StarBasic">Sub Main\n'
             f'  n = FreeFile : Open "{marker}" For Output As #n : Print #n, "ran" : Close #n\n'
             'End Sub\n</script:module>')
    content = ('<?xml version="1.0" encoding="UTF-8"?>'
               '<office:document-content xmlns:office="urn:oasis:names:tc:opendocument:xmlns:office:1.0" '
               'xmlns:text="urn:oasis:names:tc:opendocument:xmlns:text:1.0" '
               'xmlns:script="urn:oasis:names:tc:opendocument:xmlns:script:1.0" '
               'xmlns:dom="http://www.w3.org/2001/xml-events" '
               'xmlns:xlink="http://www.w3.org/1999/xlink" xmlns:ooo="http://openoffice.org/2004/office" '
               'office:version="1.2"><office:scripts><office:event-listeners>'
               '<script:event-listener script:language="ooo:script" script:event-name="dom:load" '
               'xlink:href="vnd.sun.star.script:Standard.Module1.Main?language=Basic&amp;location=document"/>'
               '</office:event-listeners></office:scripts>'
               '<office:body><office:text><text:p>摘要</text:p></office:text></office:body>'
               '</office:document-content>')
    manifest = ('<?xml version="1.0" encoding="UTF-8"?>'
                '<manifest:manifest xmlns:manifest="urn:oasis:names:tc:opendocument:xmlns:manifest:1.0" '
                'manifest:version="1.2">'
                '<manifest:file-entry manifest:full-path="/" manifest:media-type="application/vnd.oasis.opendocument.text"/>'
                '<manifest:file-entry manifest:full-path="content.xml" manifest:media-type="text/xml"/>'
                '<manifest:file-entry manifest:full-path="Basic/script-lc.xml" manifest:media-type="text/xml"/>'
                '<manifest:file-entry manifest:full-path="Basic/Standard/script-lb.xml" manifest:media-type="text/xml"/>'
                '<manifest:file-entry manifest:full-path="Basic/Standard/Module1.xml" manifest:media-type="text/xml"/>'
                '</manifest:manifest>')
    libraries = ('<?xml version="1.0" encoding="UTF-8"?>'
                 '<library:libraries xmlns:library="http://openoffice.org/2000/library" '
                 'xmlns:xlink="http://www.w3.org/1999/xlink">'
                 '<library:library library:name="Standard" library:link="false"/></library:libraries>')
    library = ('<?xml version="1.0" encoding="UTF-8"?>'
               '<library:library xmlns:library="http://openoffice.org/2000/library" library:name="Standard" '
               'library:readonly="false" library:passwordprotected="false">'
               '<library:element library:name="Module1"/></library:library>')
    with zipfile.ZipFile(path, 'w') as z:
        z.writestr(zipfile.ZipInfo('mimetype'), 'application/vnd.oasis.opendocument.text')
        z.writestr('META-INF/manifest.xml', manifest, zipfile.ZIP_DEFLATED)
        z.writestr('content.xml', content, zipfile.ZIP_DEFLATED)
        z.writestr('Basic/script-lc.xml', libraries, zipfile.ZIP_DEFLATED)
        z.writestr('Basic/Standard/script-lb.xml', library, zipfile.ZIP_DEFLATED)
        z.writestr('Basic/Standard/Module1.xml', basic, zipfile.ZIP_DEFLATED)


def write_linked_section_document(path, url):
    """OpenDocument text with a section linked to a web address."""
    content = ('<?xml version="1.0" encoding="UTF-8"?>'
               '<office:document-content xmlns:office="urn:oasis:names:tc:opendocument:xmlns:office:1.0" '
               'xmlns:text="urn:oasis:names:tc:opendocument:xmlns:text:1.0" '
               'xmlns:draw="urn:oasis:names:tc:opendocument:xmlns:drawing:1.0" '
               'xmlns:svg="urn:oasis:names:tc:opendocument:xmlns:svg-compatible:1.0" '
               'xmlns:xlink="http://www.w3.org/1999/xlink" office:version="1.2">'
               '<office:body><office:text><text:p>摘要</text:p>'
               '<text:section text:name="linked">'
               f'<text:section-source xlink:href="{url}/section.odt" xlink:type="simple"/>'
               '<text:p>旧内容</text:p></text:section>'
               f'<text:p><draw:frame svg:width="2cm" svg:height="2cm"><draw:image xlink:href="{url}/odt-image.png" '
               'xlink:type="simple"/></draw:frame></text:p>'
               '</office:text></office:body></office:document-content>')
    manifest = ('<?xml version="1.0" encoding="UTF-8"?>'
                '<manifest:manifest xmlns:manifest="urn:oasis:names:tc:opendocument:xmlns:manifest:1.0" '
                'manifest:version="1.2">'
                '<manifest:file-entry manifest:full-path="/" manifest:media-type="application/vnd.oasis.opendocument.text"/>'
                '<manifest:file-entry manifest:full-path="content.xml" manifest:media-type="text/xml"/>'
                '</manifest:manifest>')
    with zipfile.ZipFile(path, 'w') as z:
        z.writestr(zipfile.ZipInfo('mimetype'), 'application/vnd.oasis.opendocument.text')
        z.writestr('META-INF/manifest.xml', manifest, zipfile.ZIP_DEFLATED)
        z.writestr('content.xml', content, zipfile.ZIP_DEFLATED)


def write_linked_documents(out, url):
    """The documents whose only harm is what they link to."""
    image = (f'<Relationship Id="rId9" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/image" '
             f'Target="{url}/beacon.png" TargetMode="External"/>')
    drawing = ('<w:p><w:r><w:drawing><wp:inline xmlns:wp="http://schemas.openxmlformats.org/drawingml/2006/'
               'wordprocessingDrawing"><wp:extent cx="952500" cy="952500"/><wp:docPr id="1" name="beacon"/>'
               '<a:graphic xmlns:a="http://schemas.openxmlformats.org/drawingml/2006/main"><a:graphicData '
               'uri="http://schemas.openxmlformats.org/drawingml/2006/picture"><pic:pic xmlns:pic="http://'
               'schemas.openxmlformats.org/drawingml/2006/picture"><pic:nvPicPr><pic:cNvPr id="1" name="beacon"/>'
               '<pic:cNvPicPr/></pic:nvPicPr><pic:blipFill><a:blip r:link="rId9"/><a:stretch><a:fillRect/>'
               '</a:stretch></pic:blipFill><pic:spPr><a:xfrm><a:off x="0" y="0"/><a:ext cx="952500" cy="952500"/>'
               '</a:xfrm><a:prstGeom prst="rect"/></pic:spPr></pic:pic></a:graphicData></a:graphic></wp:inline>'
               '</w:drawing></w:r></w:p>')
    write_docx(out('linked-image.docx'), paragraph('摘要') + drawing, document_rels=image)
    fields = (f'<w:p><w:fldSimple w:instr=" INCLUDETEXT &quot;{url}/include.docx&quot; "><w:r><w:t>旧</w:t></w:r>'
              f'</w:fldSimple></w:p><w:p><w:fldSimple w:instr=" INCLUDEPICTURE &quot;{url}/include.png&quot; \\d ">'
              '<w:r><w:t>图</w:t></w:r></w:fldSimple></w:p>'
              f'<w:p><w:fldSimple w:instr=" INCLUDETEXT &quot;/etc/hostname&quot; "><w:r><w:t>旧</w:t></w:r>'
              '</w:fldSimple></w:p>')
    write_docx(out('include-fields.docx'), paragraph('摘要') + fields)
    write_linked_section_document(out('linked-section.odt'), url)
    # Rich text and a web page saved under a Word name, as Word itself may
    # save them: a linked picture as Word writes it (a shape whose picture
    # is a link), a picture field that is not to store its data, a page
    # with a picture, a frame and a style sheet from the server.
    png = ('89504e470d0a1a0a0000000d4948445200000001000000010802000000907753de0000000c4944415478da63f8cfc000000301'
           '010018dd8db00000000049454e44ae426082')
    with open(out('rtf-links.doc'), 'w', encoding='ascii') as f:
        f.write('{\\rtf1\\ansi {\\*\\shppict{\\pict{\\*\\picprop\\shplid1025{\\sp{\\sn shapeType}{\\sv 75}}'
                f'{{\\sp{{\\sn pibName}}{{\\sv {url}/rtf-linked.png}}}}{{\\sp{{\\sn pibFlags}}{{\\sv 10}}}}}}'
                f'\\pngblip\\picw1\\pich1\\picwgoal567\\pichgoal567 {png}}}}}\\par '
                f'{{\\field{{\\*\\fldinst {{ INCLUDEPICTURE "{url}/rtf-field.png" \\\\d }}}}'
                f'{{\\fldrslt {{\\pict\\pngblip\\picw1\\pich1 {png}}}}}}}\\par '
                f'{{\\field{{\\*\\fldinst INCLUDETEXT "{url}/rtf-include.doc"}}{{\\fldrslt old}}}}\\par}}')
    with open(out('web-page.doc'), 'w', encoding='utf-8') as f:
        f.write(f'<html><head><link rel="stylesheet" href="{url}/style.css"></head><body><p>摘要</p>'
                f'<img src="{url}/html.png"><iframe src="{url}/frame.html"></iframe></body></html>')


def main():
    folder, url, cache = sys.argv[1], sys.argv[2].rstrip('/'), sys.argv[3]
    os.makedirs(folder, exist_ok=True)
    os.makedirs(cache, exist_ok=True)
    out = lambda name: os.path.join(folder, name)
    if len(sys.argv) > 4 and sys.argv[4] == 'links-only':
        write_linked_documents(out, url)
        return

    open(out('empty.doc'), 'wb').close()
    rng = random.Random(14)
    with open(out('random.doc'), 'wb') as f:
        f.write(bytes(rng.getrandbits(8) for _ in range(64 * 1024)))
    with open(out('text.docx'), 'w', encoding='utf-8') as f:
        f.write('这是一段纯文本，不是 Word 文档。\n' * 200)

    thesis = paragraph('摘要') + paragraph('本文研究论文格式的自动检查方法。')
    write_docx(out('论文 草稿 第2版.docx'), thesis)
    write_docx(out('whole.docx'), thesis * 200)
    with open(out('whole.docx'), 'rb') as f:
        whole = f.read()
    with open(out('truncated.docx'), 'wb') as f:
        f.write(whole[:len(whole) // 2])
    os.remove(out('whole.docx'))
    with open(out('encrypted.docx'), 'wb') as f:
        f.write(encrypt_package(whole, 'geheim'))

    write_zip_bomb(out('zip-bomb.docx'))

    laughs = '<!DOCTYPE w:document [<!ENTITY a "哈哈哈哈哈哈哈哈哈哈">' + ''.join(
        f'<!ENTITY {chr(98 + i)} "{("&" + chr(97 + i) + ";") * 10}">' for i in range(9)) + ']>'
    write_docx(out('entity-bomb.docx'), paragraph('&j;'), prolog=laughs)
    with open(out('entity-bomb.doc'), 'w', encoding='utf-8') as f:
        f.write('<?xml version="1.0"?>' + laughs + '<w:wordDocument xmlns:w="http://schemas.microsoft.com/office/'
                'word/2003/wordml"><w:body><w:p><w:r><w:t>&j;</w:t></w:r></w:p></w:body></w:wordDocument>')
    xxe = (f'<!DOCTYPE w:document [<!ENTITY local SYSTEM "file:///etc/passwd">'
           f'<!ENTITY remote SYSTEM "{url}/xxe">]>')
    write_docx(out('xxe.docx'), paragraph('&local;&remote;'), prolog=xxe)

    write_linked_documents(out, url)
    write_macro_document(out('macro-on-open.odt'), os.path.join(folder, 'macro-ran'))

    os.makedirs(out('folder.doc'), exist_ok=True)
    for name, target in (('passwd.doc', '/etc/passwd'), ('zero.doc', '/dev/zero')):
        if not os.path.lexists(out(name)):
            os.symlink(target, out(name))

    long_paragraph = '论文格式检查。' * (2 * 1024 * 1024 // 21)  # 2 MB of UTF-8
    write_docx(out('long-paragraph.docx'), paragraph('摘要') + paragraph(long_paragraph))

    # A document that takes the engine long to open on any machine, for the
    # runs that are timed out, interrupted or killed while it opens.
    for name, count in (('thousand-pages.docx', 1000), ('ten-thousand-pages.docx', 10000)):
        target = os.path.join(cache, name)
        if not os.path.exists(target):
            pages = ''.join(paragraph(f'第{i}页。' + '正文内容。' * 40, page_break_before=i > 1)
                            for i in range(1, count + 1))
            write_docx(target + '.tmp', paragraph('摘要') + pages)
            os.replace(target + '.tmp', target)


if __name__ == '__main__':
    main()
